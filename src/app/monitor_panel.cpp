#include "app/monitor_panel.h"

#include "app/monitor_pair_dialog.h"
#include "monitor/monitor.h"
#include "visca/command_text.h"
#include "visca/explainer.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
template <class T> T *monitor_part(QWidget *parent, const char *name)
{
    auto *made = new T(parent);
    made->setObjectName(name);
    return made;
}

constexpr int drawing_ms = 100;
constexpr int stats_columns = 7;

QString milliseconds(qint64 value)
{
    return value < 0 ? QStringLiteral("–") : QString::number(value);
}
} // namespace

MonitorPanel::MonitorPanel(QTabWidget *tab_widget, const QStringList &pairs, Changed on_change)
    : watch(std::make_unique<monitor::Monitor>()), changed(std::move(on_change)), tabs(tab_widget)
{
    page = monitor_part<QWidget>(tabs, "monitorTab");
    build(page);
    tabs->addTab(page, QString());
    for (const QString &text : pairs) {
        QString ignored;
        if (const auto pair = monitor::read_pair(text, &ignored))
            watch->add(*pair);
    }
    dialog = std::make_unique<MonitorPairDialog>(page->window(),
                                                 [this](const QString &text) { add(text); });
    QObject::connect(watch.get(), &monitor::Monitor::line, page,
                     [this](const monitor::Line &line) { take(line); });
    QObject::connect(watch.get(), &monitor::Monitor::pair_failed, page,
                     [this](int index, const QString &reason) {
                         if (index < 0)
                             return;
                         while (failures.size() <= index)
                             failures << QString();
                         failures[index] = reason;
                         show_pairs();
                     });
    drawing.setInterval(drawing_ms);
    QObject::connect(&drawing, &QTimer::timeout, page, [this] {
        flush_lines();
        show_stats();
    });
    retranslate();
    show_pairs();
}

MonitorPanel::~MonitorPanel() = default;

void MonitorPanel::build(QWidget *tab)
{
    pairs_table = monitor_part<QTableWidget>(tab, "monitorPairsTable");
    pairs_table->setColumnCount(3);
    pairs_table->verticalHeader()->hide();
    pairs_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    pairs_table->setSelectionMode(QAbstractItemView::SingleSelection);
    pairs_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pairs_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    pairs_table->horizontalHeader()->setStretchLastSection(true);
    add_button = monitor_part<QPushButton>(tab, "monitorAddButton");
    remove_button = monitor_part<QPushButton>(tab, "monitorRemoveButton");
    start_button = monitor_part<QPushButton>(tab, "monitorStartButton");
    save_button = monitor_part<QPushButton>(tab, "monitorSaveButton");
    state = monitor_part<QLabel>(tab, "monitorState");
    // A pair's trouble is the system's words: shown as they are.
    state->setTextFormat(Qt::PlainText);
    state->setWordWrap(true);
    filter_caption = new QLabel(tab);
    direction_filter = monitor_part<QComboBox>(tab, "monitorDirectionFilter");
    for (int item = 0; item < 3; ++item)
        direction_filter->addItem(QString());
    address_filter = monitor_part<QComboBox>(tab, "monitorAddressFilter");
    for (int item = 0; item <= 8; ++item)
        address_filter->addItem(QString(), item);
    command_filter = monitor_part<QLineEdit>(tab, "monitorCommandFilter");
    lines_view = monitor_part<QPlainTextEdit>(tab, "monitorLinesView");
    lines_view->setReadOnly(true);
    lines_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines_view->setMaximumBlockCount(most_lines);
    stats_table = monitor_part<QTableWidget>(tab, "monitorStatsTable");
    stats_table->setColumnCount(stats_columns);
    stats_table->verticalHeader()->hide();
    stats_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stats_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *layout = new QVBoxLayout(tab);
    auto *buttons = new QHBoxLayout;
    for (QWidget *button : {add_button, remove_button, start_button, save_button})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *filters = new QHBoxLayout;
    for (QWidget *part : std::initializer_list<QWidget *>{filter_caption, direction_filter,
                                                          address_filter, command_filter})
        filters->addWidget(part);
    auto *splitter = new QSplitter(Qt::Vertical, tab);
    splitter->addWidget(lines_view);
    splitter->addWidget(stats_table);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    pairs_table->setMaximumHeight(pairs_table->sizeHint().height() / 2);
    layout->addWidget(pairs_table);
    layout->addLayout(buttons);
    layout->addWidget(state);
    layout->addLayout(filters);
    layout->addWidget(splitter, 1);

    QObject::connect(add_button, &QPushButton::clicked, tab, [this] { dialog->open(); });
    QObject::connect(remove_button, &QPushButton::clicked, tab, [this] { remove(); });
    QObject::connect(start_button, &QPushButton::clicked, tab, [this] { start_or_stop(); });
    QObject::connect(save_button, &QPushButton::clicked, tab, [this] { save(); });
    for (QComboBox *filter : {direction_filter, address_filter})
        QObject::connect(filter, QOverload<int>::of(&QComboBox::currentIndexChanged), tab,
                         [this] { show_lines(); });
    QObject::connect(command_filter, &QLineEdit::textChanged, tab, [this] { show_lines(); });
}

void MonitorPanel::retranslate()
{
    tabs->setTabText(tabs->indexOf(page), tr("Monitor"));
    pairs_table->setHorizontalHeaderLabels({tr("Listens"), tr("Camera"), tr("State")});
    add_button->setText(tr("Add…"));
    remove_button->setText(tr("Remove"));
    start_button->setText(watch->running() ? tr("Stop") : tr("Start"));
    save_button->setText(tr("Save capture…"));
    filter_caption->setText(tr("Show"));
    const QStringList directions{tr("Both directions"), tr("Controller → camera"),
                                 tr("Camera → controller")};
    for (int item = 0; item < directions.size(); ++item)
        direction_filter->setItemText(item, directions.at(item));
    address_filter->setItemText(0, tr("Every camera"));
    for (int address = 1; address <= 7; ++address)
        address_filter->setItemText(address, tr("Camera %1").arg(address));
    address_filter->setItemText(8, tr("Broadcast"));
    command_filter->setPlaceholderText(tr("Command or bytes contain…"));
    stats_table->setHorizontalHeaderLabels({tr("Command"), tr("Count"), tr("ACK median (ms)"),
                                            tr("ACK p99 (ms)"), tr("Completion median (ms)"),
                                            tr("Completion p99 (ms)"), tr("Errors")});
    dialog->retranslate();
    show_pairs();
    show_stats();
}

void MonitorPanel::add(const QString &text)
{
    QString why;
    const auto pair = monitor::read_pair(text, &why);
    if (pair && watch->add(*pair, &why))
        why.clear();
    state->setText(why);
    show_pairs();
    QStringList texts;
    for (const monitor::PairSpec &setup : watch->pairs())
        texts << monitor::pair_text(setup);
    changed(texts);
}

void MonitorPanel::remove()
{
    const int row = pairs_table->currentRow();
    if (row < 0)
        return;
    watch->remove(row);
    if (row < failures.size())
        failures.removeAt(row);
    show_pairs();
    QStringList texts;
    for (const monitor::PairSpec &setup : watch->pairs())
        texts << monitor::pair_text(setup);
    changed(texts);
}

void MonitorPanel::start_or_stop()
{
    failures.clear();
    if (watch->running()) {
        watch->stop();
        drawing.stop();
        flush_lines();
        state->clear();
    } else {
        QString why;
        if (watch->start(&why))
            drawing.start();
        state->setText(why);
    }
    start_button->setText(watch->running() ? tr("Stop") : tr("Start"));
    show_pairs();
}

void MonitorPanel::show_pairs()
{
    const QList<monitor::PairSpec> pairs = watch->pairs();
    pairs_table->setRowCount(pairs.size());
    for (int row = 0; row < pairs.size(); ++row) {
        QString condition = watch->pair_running(row) ? tr("listening") : tr("stopped");
        if (!failures.value(row).isEmpty())
            condition = tr("failed: %1").arg(failures.at(row));
        const QStringList cells{monitor::endpoint_text(pairs.at(row).listen),
                                monitor::endpoint_text(pairs.at(row).target), condition};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = pairs_table->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                pairs_table->setItem(row, column, item);
            }
            item->setText(cells.at(column));
        }
    }
    remove_button->setEnabled(!pairs.isEmpty());
    start_button->setEnabled(!pairs.isEmpty() || watch->running());
}

void MonitorPanel::take(const monitor::Line &line)
{
    kept.push_back(line);
    if (int(kept.size()) > most_lines)
        kept.pop_front();
    if (shown(line))
        waiting << monitor::line_text(line);
    if (waiting.size() > most_lines)
        waiting.erase(waiting.begin(), waiting.begin() + (waiting.size() - most_lines));
}

bool MonitorPanel::shown(const monitor::Line &line) const
{
    using Direction = monitor::Event::Direction;
    const int direction = direction_filter->currentIndex();
    if ((direction == 1 && line.direction == Direction::to_controller) ||
        (direction == 2 && line.direction == Direction::to_camera))
        return false;
    const int address = address_filter->currentIndex();
    if (address > 0 && line.address != address)
        return false;
    const QString command = command_filter->text().trimmed();
    return command.isEmpty() || line.meaning.contains(command, Qt::CaseInsensitive) ||
           spaced_hex(line.bytes).contains(command, Qt::CaseInsensitive);
}

void MonitorPanel::show_lines()
{
    waiting.clear();
    lines_view->clear();
    QStringList texts;
    for (const monitor::Line &line : kept) {
        if (shown(line))
            texts << monitor::line_text(line);
    }
    lines_view->setPlainText(texts.join('\n'));
    show_line_starts();
}

void MonitorPanel::show_line_starts()
{
    // The cursor at the last line's start keeps the view there, on the
    // lines' time and who spoke, however long their meanings are.
    lines_view->moveCursor(QTextCursor::End);
    lines_view->moveCursor(QTextCursor::StartOfLine);
}

void MonitorPanel::flush_lines()
{
    if (waiting.isEmpty())
        return;
    lines_view->appendPlainText(waiting.join('\n'));
    waiting.clear();
    show_line_starts();
}

void MonitorPanel::show_stats()
{
    const QList<monitor::CommandStats::Row> rows = watch->stats().rows();
    stats_table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const monitor::CommandStats::Row &stats = rows.at(row);
        const QStringList cells{said(stats.command),
                                QString::number(stats.count),
                                milliseconds(stats.ack_median),
                                milliseconds(stats.ack_p99),
                                milliseconds(stats.done_median),
                                milliseconds(stats.done_p99),
                                QString::number(stats.errors)};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = stats_table->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                stats_table->setItem(row, column, item);
            }
            item->setText(cells.at(column));
        }
    }
}

QStringList MonitorPanel::capture() const
{
    QStringList texts;
    for (const monitor::Line &line : kept) {
        if (shown(line))
            texts << monitor::line_text(line);
    }
    return texts;
}

bool MonitorPanel::save_capture(const QString &path, QString *reason) const
{
    QSaveFile file(path);
    QByteArray text = capture().join('\n').toUtf8();
    if (!text.isEmpty())
        text += '\n';
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return true;
    *reason = file.errorString();
    return false;
}

void MonitorPanel::save()
{
    const QString path = QFileDialog::getSaveFileName(page->window(), tr("Save capture"),
                                                      QStringLiteral("capture.txt"),
                                                      tr("Text (*.txt);;Every file (*)"));
    if (path.isEmpty())
        return;
    QString why;
    state->setText(save_capture(path, &why)
                       ? tr("Saved %1 lines in %2.").arg(capture().size()).arg(path)
                       : tr("Not saved: %1").arg(why));
}
