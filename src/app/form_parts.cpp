#include "app/form_parts.h"

#include "ui_mainwindow.h"

FormParts::FormParts(const Ui::MainWindow &form)
    : start_button(form.pushButton_16), connect_button(form.pushButton_15),
      serial_lamp(form.graphicsView), serial_mode(form.radioButton_9),
      net_mode(form.radioButton_10), console_serial(form.radioButton_11),
      console_net(form.radioButton_12), set_preset(form.radioButton), preset_field(form.lineEdit_2),
      command_text(form.plainTextEdit), send_button(form.pushButton_13), loop_box(form.checkBox),
      loop_interval(form.lineEdit), log_view(form.textEdit), language_box(form.comboBox_3)
{
}
