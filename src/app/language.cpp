#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QCoreApplication>
#include <QTranslator>
#include <memory>

namespace {
// The one translator of the program: reloaded by every language change,
// never a second one installed beside it.
// Never deleted while the program runs.
std::unique_ptr<QTranslator> translator;

const char *const chinese_catalog = ":/trans/zh.qm";
const char *const english_catalog = ":/trans/en.qm";
} // namespace

void MainWindow::apply_startup_language()
{
    // A fresh translator, so that an unknown language name leaves it empty
    // (a second window in the same process must not inherit a catalog).
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator = std::make_unique<QTranslator>();
    if (language == "Chinese")
        translator->load(chinese_catalog);
    else if (language == "English")
        translator->load(english_catalog);
    QCoreApplication::installTranslator(translator.get());
    retranslate();
    if (language == "Chinese")
        ui->comboBox_3->setCurrentIndex(0);
    else if (language == "English")
        ui->comboBox_3->setCurrentIndex(1);
}

void MainWindow::on_comboBox_3_activated(int index)
{
    const bool english = index == 1;
    QCoreApplication::removeTranslator(translator.get());
    translator->load(english ? english_catalog : chinese_catalog);
    QCoreApplication::installTranslator(translator.get());
    language = english ? "English" : "Chinese";

    // A language change only translates. Refilling the lists moves them to
    // their first items: a speed put back to its default would move the
    // camera at a speed nobody chose.
    const QList<QComboBox *> boxes = fixed_combo_boxes();
    QList<int> chosen;
    for (QComboBox *box : boxes)
        chosen << box->currentIndex();
    const QList<QLineEdit *> fields = {ui->lineEdit_ip, ui->lineEdit_port, ui->lineEdit_2,
                                       ui->lineEdit};
    QStringList typed;
    for (QLineEdit *field : fields)
        typed << field->text();

    retranslate();
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setCurrentIndex(chosen[i]);
    for (int i = 0; i < fields.size(); ++i)
        fields[i]->setText(typed[i]);
    ui->comboBox_3->setCurrentIndex(english ? 1 : 0);
}

QList<QComboBox *> MainWindow::fixed_combo_boxes() const
{
    return {ui->BaucomboBox,     ui->DataBitcomboBox, ui->ParitycomboBox,
            ui->StopBitcomboBox, ui->hcomboBox,       ui->vcomboBox,
            ui->zoomcomboBox,    ui->focuscomboBox,   ui->comboBox_3};
}

void MainWindow::retranslate()
{
    ui->retranslateUi(this);
    // uic renames the items in place; the operator expects every fixed list
    // back at its first item and the two number fields empty.
    for (QComboBox *box : fixed_combo_boxes())
        box->setCurrentIndex(0);
    ui->lineEdit_2->clear();
    ui->lineEdit->clear();
    // Each of these captions decides what the next press does, so it keeps
    // telling the state of its link or loop in the new language.
    ui->pushButton_16->setText(serial_open ? tr("Close") : tr("Start"));
    ui->pushButton_15->setText(net_link_up() ? tr("Disconnect") : tr("Connect"));
    ui->pushButton_13->setText(loop.running() ? tr("Stop") : tr("Send"));
    set_key_tips();
}

void MainWindow::set_key_tips()
{
    ui->ptz_upButton->setToolTip(tr("Key: Up arrow or keypad 8"));
    ui->ptz_downButton->setToolTip(tr("Key: Down arrow or keypad 2"));
    ui->ptz_leftButton->setToolTip(tr("Key: Left arrow or keypad 4"));
    ui->ptz_rightButton->setToolTip(tr("Key: Right arrow or keypad 6"));
    ui->ptz_leftupButton->setToolTip(tr("Key: keypad 7, or Up and Left arrows"));
    ui->ptz_rightupButton->setToolTip(tr("Key: keypad 9, or Up and Right arrows"));
    ui->ptz_leftdownButton->setToolTip(tr("Key: keypad 1, or Down and Left arrows"));
    ui->ptz_rightdownButton->setToolTip(tr("Key: keypad 3, or Down and Right arrows"));
    ui->ptz_resetButton->setToolTip(tr("Key: Home or keypad 5"));
    ui->zoomin_Button->setToolTip(tr("Key: +"));
    ui->zoomout_Button->setToolTip(tr("Key: -"));
    ui->focusin_Button->setToolTip(tr("Key: Page Up"));
    ui->focusout_Button->setToolTip(tr("Key: Page Down"));
}
