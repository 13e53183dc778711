#ifndef ZARVICK_CONSOLE_PANEL_H
#define ZARVICK_CONSOLE_PANEL_H

#include "app/boxes.h"
#include "app/form_parts.h"
#include "console/loop_sender.h"
#include "console/message_log.h"
#include "control/answer_wait.h"

#include <QCoreApplication>
#include <functional>
#include <memory>

class Cameras;
class CommandBuilder;
class LinkChannel;
class QPushButton;
class SurveyDialog;
namespace Ui {
class MainWindow;
}

// The Manual tab and the log: hand-typed commands sent once or in a loop
// on the link the tab's Mode chooses, and every command and reply logged.
// A loop's next message also waits until the last one has left the link
// and the camera answered it (AnswerWait). Below the form's own: the
// catalog to write a command from, and "Ask the camera".
class ConsolePanel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    ConsolePanel(Ui::MainWindow &form, Cameras &cameras, const Boxes &boxes);
    ~ConsolePanel();
    ConsolePanel(const ConsolePanel &) = delete;
    ConsolePanel &operator=(const ConsolePanel &) = delete;
    // While a loop runs the button stops it, whatever the editor holds.
    void send_or_stop();
    void loop_chosen(bool checked);
    void clear_log() { log.clear(); }
    void note(const QString &text) { log.add_note(text); }
    // A loop would go on sending into nothing, and start again by itself
    // when the link comes back.
    void stop_loop_without_link();
    // Whether a loop sends on `channel`.
    bool loop_on(const LinkChannel *channel) const;
    void retranslate();

private:
    void send_manual();
    bool interval_accepted();
    void send_loop_entry(const QString &text);
    void stop_loop();

    Ui::MainWindow &ui;
    const FormParts parts;
    // The active camera's channel that the Manual tab's Mode chooses, if open.
    LinkChannel *current_link() const;

    Cameras &cameras;
    const Boxes &boxes;
    LoopSender loop;
    AnswerWait answer_wait;
    MessageLog log;
    QPushButton *ask_button;
    std::unique_ptr<CommandBuilder> builder;
    // The window's child: it goes with the window.
    SurveyDialog *survey;
};

#endif
