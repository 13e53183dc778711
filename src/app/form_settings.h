#ifndef ZARVICK_FORM_SETTINGS_H
#define ZARVICK_FORM_SETTINGS_H

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <functional>

class LinkPanel;
class QComboBox;
class QMainWindow;
namespace Ui {
class MainWindow;
}

// The form's settings: config.ini applied to the form at start and the
// form saved at exit, and the language, whose change translates every text
// and keeps every choice.
class FormSettings
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // `retranslate_panels` puts back the captions that tell a state.
    FormSettings(Ui::MainWindow &form, QMainWindow *window, LinkPanel &links,
                 std::function<void()> retranslate_panels);
    void read_config();
    // False when the operator chose to stay after the file could not be written.
    bool write_config();
    void change_language(int index);

private:
    void set_defaults();
    void apply_startup_language();
    void retranslate();
    QList<QComboBox *> fixed_combo_boxes() const;

    Ui::MainWindow &ui;
    QMainWindow *window;
    LinkPanel &links;
    std::function<void()> retranslate_panels;
    QString language;
};

#endif
