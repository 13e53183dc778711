#include "app/console_panel.h"

#include "app/command_builder.h"
#include "app/survey_dialog.h"
#include "console/console_text.h"
#include "control/cameras.h"
#include "ui_mainwindow.h"

ConsolePanel::ConsolePanel(Ui::MainWindow &form, Cameras &camera_list, const Boxes &window_boxes)
    : ui(form), parts(form), cameras(camera_list), boxes(window_boxes),
      loop([this] { return parts.loop_interval->text(); }), log(parts.log_view),
      ask_button(new QPushButton), survey(new SurveyDialog(camera_list, parts.log_view->window()))
{
    ask_button->setObjectName("askCameraButton");
    builder = std::make_unique<CommandBuilder>(
        form.verticalLayout_8, parts.command_text,
        [this] { return cameras.active_camera().address(); }, ask_button);
    QObject::connect(ask_button, &QPushButton::clicked, survey, [this] { survey->ask(); });
    // The camera's own loop goes first: no question while it runs.
    survey->survey().set_busy([this](const LinkChannel *channel) { return loop_on(channel); });
    // A tab between bytes makes no command: Tab moves on, as in the log.
    parts.command_text->setTabChangesFocus(true);
    QObject::connect(&cameras, &Cameras::sent, parts.log_view,
                     [this](const QString &label, const QString &text, const QByteArray &bytes) {
                         log.add_sent(label, text, bytes);
                     });
    QObject::connect(ui.logExplainBox, &QCheckBox::toggled, parts.log_view,
                     [this](bool on) { log.set_explaining(on); });
    log.set_explaining(ui.logExplainBox->isChecked());
    // The log shows what came, less the answers to the program's own
    // inquiries, each reply under the name of the camera it names.
    QObject::connect(&cameras, &Cameras::received, parts.log_view,
                     [this](const LinkChannel *channel, const QList<LoggedReply> &replies) {
                         log.add_received(replies, [this, channel](const QByteArray &reply) {
                             return cameras.reply_label(channel, reply);
                         });
                     });
    QObject::connect(&loop, &LoopSender::due, parts.log_view,
                     [this](const QString &text) { send_loop_entry(text); });
    QObject::connect(&answer_wait, &AnswerWait::ready, &loop, &LoopSender::release);
}

LinkChannel *ConsolePanel::current_link() const
{
    return cameras.active() < 0 ? nullptr : cameras.console_channel(cameras.active());
}

bool ConsolePanel::loop_on(const LinkChannel *channel) const
{
    return loop.running() && current_link() == channel;
}

void ConsolePanel::send_or_stop() { loop.running() ? stop_loop() : send_manual(); }

void ConsolePanel::loop_chosen(bool checked)
{
    if (!checked)
        parts.loop_interval->clear();
    parts.loop_interval->setEnabled(checked);
}

void ConsolePanel::send_manual()
{
    LinkChannel *link = current_link();
    if (parts.command_text->document()->isEmpty() || !link)
        return;
    QStringList entries = command_entries(parts.command_text->toPlainText());
    const bool looping = parts.loop_box->isChecked();
    if (entries.isEmpty() || (looping && !interval_accepted()))
        return;
    const QString first = entries.takeFirst();
    quint64 message = 0;
    const SendResult result = link->send_text(first, Link::Lane::Console, &message);
    if (result != SendResult::Sent) {
        boxes.report_failure(result, link->link().errorText());
        return;
    }
    if (looping) {
        parts.send_button->setText(tr("Stop"));
        loop.start(entries << first, parts.loop_interval->text().toInt(), true);
        answer_wait.start(*link, message);
    }
}

bool ConsolePanel::interval_accepted()
{
    switch (check_interval(parts.loop_interval->text())) {
    case IntervalCheck::Empty: boxes.inform(tr("The input is empty")); return false;
    case IntervalCheck::OutOfScope:
        boxes.inform(tr("The scope of 0~3600000"));
        parts.loop_interval->clear();
        return false;
    case IntervalCheck::Accepted: break;
    }
    return true;
}

void ConsolePanel::send_loop_entry(const QString &text)
{
    LinkChannel *link = current_link();
    if (!link)
        return;
    quint64 message = 0;
    const SendResult result = link->send_text(text, Link::Lane::Console, &message);
    if (result == SendResult::Sent) {
        loop.hold();
        answer_wait.start(*link, message);
        return;
    }
    // Stopped first: a message box that came back at every tick would lock the
    // operator out.
    stop_loop();
    boxes.report_failure_later(result, link->link().errorText());
}

void ConsolePanel::stop_loop()
{
    answer_wait.cancel();
    loop.stop();
    parts.send_button->setText(tr("Send"));
}

void ConsolePanel::stop_loop_without_link()
{
    if (loop.running() && !current_link())
        stop_loop();
}

ConsolePanel::~ConsolePanel() = default;

void ConsolePanel::retranslate()
{
    parts.send_button->setText(loop.running() ? tr("Stop") : tr("Send"));
    ask_button->setText(tr("Ask the camera"));
    log.forget_meanings();
    builder->retranslate();
    survey->retranslate();
}
