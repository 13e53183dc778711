#ifndef ZARVICK_MONITOR_PAIR_DIALOG_H
#define ZARVICK_MONITOR_PAIR_DIALOG_H

#include <QCoreApplication>
#include <functional>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

// The Monitor tab's dialog for a new pair: for each end its kind (UDP,
// VISCA over IP, TCP, serial), its address and port or its serial line and
// baud rate. OK hands the pair's text over once it reads; until then the
// dialog says what is wrong and stays.
class MonitorPairDialog
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    using Taken = std::function<void(const QString &pair)>;
    MonitorPairDialog(QWidget *parent, Taken taken);
    void open();
    void retranslate();

private:
    struct End {
        QComboBox *kind = nullptr;
        QLineEdit *address = nullptr;
        QSpinBox *port = nullptr;
        QLineEdit *device = nullptr;
        QComboBox *baud = nullptr;
        QList<QLabel *> labels;
        QLabel *heading = nullptr;
    };
    void make_end(End &end, const char *name);
    QString end_text(const End &end) const;
    void show_fields(End &end);
    void take();

    Taken taken;
    QDialog *dialog;
    End listen;
    End camera;
    QLabel *problem;
};

#endif
