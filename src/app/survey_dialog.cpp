#include "app/survey_dialog.h"

#include "control/cameras.h"
#include "visca/command_text.h"
#include "visca/explainer.h"

#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {
enum Column { inquiry_column, sent_column, answer_column, meaning_column, columns };
} // namespace

SurveyDialog::SurveyDialog(Cameras &camera_list, QWidget *parent)
    : QDialog(parent), cameras(camera_list), asking(camera_list, this),
      table(new QTableWidget(0, columns, this)), note(new QLabel(this)),
      again(new QPushButton(this)), copy(new QPushButton(this)), close_button(new QPushButton(this))
{
    setObjectName("askCameraDialog");
    table->setObjectName("askCameraTable");
    note->setObjectName("askCameraNote");
    again->setObjectName("askCameraAgainButton");
    copy->setObjectName("askCameraCopyButton");
    close_button->setObjectName("askCameraCloseButton");
    // A camera's words are shown as they came, never as markup.
    note->setTextFormat(Qt::PlainText);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // Bytes and names read whole; the meaning takes the rest.
    for (const int column : {inquiry_column, sent_column, answer_column})
        table->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(table);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(again);
    buttons->addWidget(copy);
    buttons->addStretch();
    buttons->addWidget(close_button);
    layout->addLayout(buttons);
    resize(1180, 560);
    connect(again, &QPushButton::clicked, this, &SurveyDialog::ask);
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(text()); });
    connect(close_button, &QPushButton::clicked, this, &QDialog::close);
    connect(&asking, &CameraSurvey::row_changed, this, &SurveyDialog::show_row);
    connect(&asking, &CameraSurvey::finished, this, &SurveyDialog::show_progress);
    retranslate();
}

void SurveyDialog::ask()
{
    show();
    raise();
    unasked = !asking.start(cameras.active());
    table->setRowCount(asking.rows().size());
    for (int row = 0; row < asking.rows().size(); ++row)
        show_row(row);
    show_progress();
}

void SurveyDialog::retranslate()
{
    setWindowTitle(tr("Ask the camera"));
    table->setHorizontalHeaderLabels({tr("Inquiry"), tr("Sent"), tr("Answer"), tr("Meaning")});
    again->setText(tr("Ask again"));
    copy->setText(tr("Copy as text"));
    close_button->setText(tr("Close"));
    for (int row = 0; row < table->rowCount(); ++row)
        show_row(row);
    show_progress();
}

void SurveyDialog::show_row(int row)
{
    if (row >= asking.rows().size())
        return;
    const CameraSurvey::Row &asked = asking.rows().at(row);
    QString answer;
    QString meaning;
    switch (asked.state) {
    case CameraSurvey::State::waiting: answer = QStringLiteral("…"); break;
    case CameraSurvey::State::unanswered: answer = tr("no answer"); break;
    case CameraSurvey::State::answered:
    case CameraSurvey::State::refused:
        answer = spaced_hex(asked.answer);
        meaning = answer_values(asked.asked, asked.answer);
        break;
    }
    const QStringList cells{said(asked.inquiry->name), spaced_hex(asked.asked), answer, meaning};
    for (int column = 0; column < columns; ++column) {
        QTableWidgetItem *item = table->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            table->setItem(row, column, item);
        }
        item->setText(cells.at(column));
    }
    show_progress();
}

void SurveyDialog::show_progress()
{
    const QList<CameraSurvey::Row> &rows = asking.rows();
    int done = 0;
    int answered = 0;
    for (const CameraSurvey::Row &row : rows) {
        done += row.state != CameraSurvey::State::waiting ? 1 : 0;
        answered += row.state == CameraSurvey::State::answered ? 1 : 0;
    }
    if (unasked)
        note->setText(tr("The active camera has no open link: nothing was asked"));
    else if (asking.running())
        note->setText(
            tr("Asking %1: %2 of %3").arg(asking.camera_name()).arg(done).arg(rows.size()));
    else
        note->setText(tr("%1 answered %2 of %3 inquiries")
                          .arg(asking.camera_name())
                          .arg(answered)
                          .arg(rows.size()));
}

QString SurveyDialog::text() const
{
    QStringList lines{note->text()};
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columns; ++column)
            cells << table->item(row, column)->text();
        lines << cells.join('\t');
    }
    return lines.join('\n') + '\n';
}
