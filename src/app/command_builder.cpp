#include "app/command_builder.h"

#include "visca/command_text.h"
#include "visca/explainer.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace {
using visca::catalog::Entry;
using visca::catalog::Field;
using visca::catalog::Kind;

// A list of about five rows: the tab keeps room for the text and the log.
const int list_height = 96;

QString listed(const Entry &entry)
{
    return said(entry.name) + QStringLiteral("   ") + entry.pattern;
}
} // namespace

CommandBuilder::CommandBuilder(QBoxLayout *tab, QPlainTextEdit *text, std::function<int()> address,
                               QWidget *beside)
    : command_text(text), active_address(std::move(address)), search(new QLineEdit),
      list(new QListWidget), fields_box(new QWidget), fields_row(new QHBoxLayout(fields_box))
{
    search->setObjectName("commandSearchEdit");
    search->setClearButtonEnabled(true);
    list->setObjectName("commandCatalogList");
    list->setMaximumHeight(list_height);
    fields_box->setObjectName("commandFieldsBox");
    fields_row->setContentsMargins(0, 0, 0, 0);
    auto *search_row = new QHBoxLayout;
    search_row->addWidget(search);
    search_row->addWidget(beside);
    tab->addLayout(search_row);
    tab->addWidget(list);
    tab->addWidget(fields_box);
    QObject::connect(search, &QLineEdit::textChanged, list,
                     [this](const QString &typed) { filter(typed); });
    QObject::connect(list, &QListWidget::currentRowChanged, list, [this](int row) { pick(row); });
    fill_list();
    retranslate();
}

void CommandBuilder::fill_list()
{
    shown.clear();
    for (const Entry &entry : visca::catalog::entries()) {
        if (entry.kind != Kind::reply)
            shown << &entry;
    }
    const QSignalBlocker quiet(list);
    list->clear();
    for (const Entry *entry : qAsConst(shown))
        list->addItem(listed(*entry));
    filter(search->text());
}

void CommandBuilder::retranslate()
{
    search->setPlaceholderText(tr("Search the commands by name or bytes"));
    for (int row = 0; row < shown.size(); ++row)
        list->item(row)->setText(listed(*shown.at(row)));
    filter(search->text());
}

void CommandBuilder::filter(const QString &text)
{
    // Bytes are searched as the pattern writes them, whatever the spacing.
    const QString typed = text.trimmed();
    const QString bytes = QString(typed).remove(' ');
    for (int row = 0; row < shown.size(); ++row) {
        const Entry &entry = *shown.at(row);
        const bool found = typed.isEmpty() ||
                           list->item(row)->text().contains(typed, Qt::CaseInsensitive) ||
                           entry.name.contains(typed, Qt::CaseInsensitive) ||
                           QString(entry.pattern).remove(' ').contains(bytes, Qt::CaseInsensitive);
        list->item(row)->setHidden(!found);
    }
}

void CommandBuilder::pick(int row)
{
    inputs.clear();
    while (QLayoutItem *item = fields_row->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    picked = row >= 0 && row < shown.size() ? shown.at(row) : nullptr;
    if (!picked)
        return;
    for (const Field &field : picked->fields)
        add_field(field);
    fields_row->addStretch();
    write();
}

void CommandBuilder::add_field(const Field &field)
{
    fields_row->addWidget(new QLabel(said(field.name)));
    const QString name = QStringLiteral("commandField_") + QLatin1Char(field.letter);
    QWidget *input = nullptr;
    if (!field.words.isEmpty()) {
        auto *box = new QComboBox;
        for (const auto &[value, word] : field.words)
            box->addItem(QStringLiteral("%1 (%2)").arg(said(word)).arg(value), value);
        QObject::connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), box,
                         [this] { write(); });
        input = box;
    } else {
        auto *spin = new QSpinBox;
        spin->setRange(field.lowest, field.highest);
        QObject::connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), spin,
                         [this] { write(); });
        input = spin;
    }
    input->setObjectName(name);
    fields_row->addWidget(input);
    inputs << input;
}

QList<int> CommandBuilder::values() const
{
    QList<int> all;
    for (QWidget *input : inputs) {
        if (auto *box = qobject_cast<QComboBox *>(input))
            all << box->currentData().toInt();
        else if (auto *spin = qobject_cast<QSpinBox *>(input))
            all << spin->value();
    }
    return all;
}

void CommandBuilder::write()
{
    if (!picked)
        return;
    // A broadcast's header names no camera.
    const bool broadcast = picked->pattern.startsWith(QLatin1String("88"));
    const QByteArray bytes =
        visca::catalog::build(*picked, broadcast ? 8 : active_address(), values());
    if (!bytes.isEmpty())
        command_text->setPlainText(spaced_hex(bytes));
}
