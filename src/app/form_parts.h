#ifndef ZARVICK_FORM_PARTS_H
#define ZARVICK_FORM_PARTS_H

class QCheckBox;
class QComboBox;
class QGraphicsView;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
namespace Ui {
class MainWindow;
}

// The form's numbered widgets by what they are for. Their object names
// stay as the form has them (the window's slots, tests and people know
// them); the code reads these names.
struct FormParts {
    explicit FormParts(const Ui::MainWindow &form);

    QPushButton *start_button;   // pushButton_16: opens or closes the serial line
    QPushButton *connect_button; // pushButton_15: connects or disconnects the network
    QGraphicsView *serial_lamp;  // graphicsView: lit while the serial line is open
    // The PTZ tab's Mode (radioButton_9, _10) and the Manual tab's (_11, _12).
    QRadioButton *serial_mode;
    QRadioButton *net_mode;
    QRadioButton *console_serial;
    QRadioButton *console_net;
    QRadioButton *set_preset;     // radioButton: the quick presets store
    QLineEdit *preset_field;      // lineEdit_2
    QPlainTextEdit *command_text; // plainTextEdit: the Manual tab's commands
    QPushButton *send_button;     // pushButton_13: Send, or Stop while a loop runs
    QCheckBox *loop_box;          // checkBox
    QLineEdit *loop_interval;     // lineEdit: milliseconds between a loop's messages
    QPlainTextEdit *log_view;     // textEdit
    QComboBox *language_box;      // comboBox_3
};

#endif
