#ifndef ZARVICK_SURVEY_DIALOG_H
#define ZARVICK_SURVEY_DIALOG_H

#include "control/camera_survey.h"

#include <QCoreApplication>
#include <QDialog>

class Cameras;
class QLabel;
class QPushButton;
class QTableWidget;

// "Ask the camera": the active camera's answer to every inquiry of the
// catalog, each row filled as its answer comes, raw and read; "Copy as
// text" puts the table on the clipboard for a support ticket. Not modal:
// the operator drives on while it asks.
class SurveyDialog : public QDialog
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    SurveyDialog(Cameras &cameras, QWidget *parent);
    CameraSurvey &survey() { return asking; }
    // Shown, and asking the active camera afresh.
    void ask();
    void retranslate();
    // The table as text, a line a row, fields apart by tabs.
    QString text() const;

private:
    void show_row(int row);
    void show_progress();

    Cameras &cameras;
    CameraSurvey asking;
    QTableWidget *table;
    QLabel *note;
    QPushButton *again;
    QPushButton *copy;
    QPushButton *close_button;
    // Nothing could be asked: no open link.
    bool unasked = false;
};

#endif
