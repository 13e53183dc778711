#include "app/console_panel.h"

#include "console/console_text.h"
#include "links/link.h"
#include "ui_mainwindow.h"

ConsolePanel::ConsolePanel(Ui::MainWindow &form, CommandSender &command_sender,
                           const Boxes &window_boxes, LinkSource link)
    : ui(form), sender(command_sender), boxes(window_boxes), current_link(std::move(link)),
      loop([this] { return ui.lineEdit->text(); }), log(ui.textEdit)
{
    // A tab between bytes makes no command: Tab moves on, as in the log.
    ui.plainTextEdit->setTabChangesFocus(true);
    QObject::connect(&sender, &CommandSender::sent, ui.textEdit,
                     [this](const QString &text) { log.add_sent(text); });
    QObject::connect(&loop, &LoopSender::due, ui.textEdit,
                     [this](const QString &text) { send_loop_entry(text); });
    QObject::connect(&answer_wait, &AnswerWait::ready, &loop, &LoopSender::release);
}

void ConsolePanel::send_or_stop() { loop.running() ? stop_loop() : send_manual(); }

void ConsolePanel::loop_chosen(bool checked)
{
    if (!checked)
        ui.lineEdit->clear();
    ui.lineEdit->setEnabled(checked);
}

void ConsolePanel::send_manual()
{
    Link *link = current_link();
    if (ui.plainTextEdit->document()->isEmpty() || !link)
        return;
    QStringList entries = command_entries(ui.plainTextEdit->toPlainText());
    const bool looping = ui.checkBox->isChecked();
    if (entries.isEmpty() || (looping && !interval_accepted()))
        return;
    const QString first = entries.takeFirst();
    quint64 message = 0;
    const SendResult result = sender.send(*link, first, Link::Lane::Console, &message);
    if (result != SendResult::Sent) {
        boxes.report_failure(result, link->errorText());
        return;
    }
    if (looping) {
        ui.pushButton_13->setText(tr("Stop"));
        loop.start(entries << first, ui.lineEdit->text().toInt(), true);
        answer_wait.start(*link, message);
    }
}

bool ConsolePanel::interval_accepted()
{
    switch (check_interval(ui.lineEdit->text())) {
    case IntervalCheck::Empty: boxes.inform(tr("The input is empty")); return false;
    case IntervalCheck::OutOfScope:
        boxes.inform(tr("The scope of 0~3600000"));
        ui.lineEdit->clear();
        return false;
    case IntervalCheck::Accepted: break;
    }
    return true;
}

void ConsolePanel::send_loop_entry(const QString &text)
{
    Link *link = current_link();
    if (!link)
        return;
    quint64 message = 0;
    const SendResult result = sender.send(*link, text, Link::Lane::Console, &message);
    if (result == SendResult::Sent) {
        loop.hold();
        answer_wait.start(*link, message);
        return;
    }
    // Stopped first: a box that came back at every tick would lock the
    // operator out.
    stop_loop();
    boxes.report_failure(result, link->errorText());
}

void ConsolePanel::stop_loop()
{
    answer_wait.cancel();
    loop.stop();
    ui.pushButton_13->setText(tr("Send"));
}

void ConsolePanel::stop_loop_without_link()
{
    if (loop.running() && !current_link())
        stop_loop();
}

void ConsolePanel::retranslate()
{
    ui.pushButton_13->setText(loop.running() ? tr("Stop") : tr("Send"));
}
