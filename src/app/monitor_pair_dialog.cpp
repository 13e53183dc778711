#include "app/monitor_pair_dialog.h"

#include "monitor/endpoint.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {
template <class T> T *pair_part(QWidget *parent, const QString &name)
{
    auto *made = new T(parent);
    made->setObjectName(name);
    return made;
}

const QStringList kind_names = {"udp", "visca-ip", "tcp", "serial"};
constexpr int serial_kind = 3;
constexpr int visca_ip_port = 52381;
const QList<int> pair_baud_rates = {9600, 19200, 38400, 115200, 2400, 4800};
} // namespace

MonitorPairDialog::MonitorPairDialog(QWidget *parent, Taken on_taken)
    : taken(std::move(on_taken)), dialog(pair_part<QDialog>(parent, "monitorPairDialog")),
      problem(pair_part<QLabel>(dialog, "monitorPairProblem"))
{
    // What the reader says of the operator's text shows as it is.
    problem->setTextFormat(Qt::PlainText);
    problem->setWordWrap(true);
    auto *layout = new QVBoxLayout(dialog);
    for (auto [end, name] :
         {std::pair(&listen, "monitorListen"), std::pair(&camera, "monitorCamera")}) {
        make_end(*end, name);
        auto *form = new QFormLayout;
        form->addRow(end->heading);
        const QList<QWidget *> fields{end->kind, end->address, end->port, end->device, end->baud};
        for (int field = 0; field < fields.size(); ++field)
            form->addRow(end->labels.at(field), fields.at(field));
        layout->addLayout(form);
    }
    camera.port->setValue(visca_ip_port + 1);
    layout->addWidget(problem);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->setObjectName("monitorPairButtons");
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [this] { take(); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    retranslate();
}

void MonitorPairDialog::make_end(End &end, const char *name)
{
    const QString prefix = QString::fromLatin1(name);
    end.heading = pair_part<QLabel>(dialog, prefix + "Heading");
    end.kind = pair_part<QComboBox>(dialog, prefix + "Kind");
    for (int kind = 0; kind < kind_names.size(); ++kind)
        end.kind->addItem(QString());
    end.address = pair_part<QLineEdit>(dialog, prefix + "Address");
    end.address->setText(QStringLiteral("127.0.0.1"));
    end.port = pair_part<QSpinBox>(dialog, prefix + "Port");
    end.port->setRange(1, 65535);
    end.port->setValue(visca_ip_port);
    end.device = pair_part<QLineEdit>(dialog, prefix + "Device");
    end.baud = pair_part<QComboBox>(dialog, prefix + "Baud");
    for (const int rate : pair_baud_rates)
        end.baud->addItem(QString::number(rate), rate);
    for (int label = 0; label < 5; ++label)
        end.labels << new QLabel(dialog);
    QObject::connect(end.kind, QOverload<int>::of(&QComboBox::currentIndexChanged), dialog,
                     [this, &end] { show_fields(end); });
    show_fields(end);
}

void MonitorPairDialog::show_fields(End &end)
{
    const bool serial = end.kind->currentIndex() == serial_kind;
    const QList<QWidget *> network_parts{end.address, end.port, end.labels.at(1), end.labels.at(2)};
    const QList<QWidget *> serial_parts{end.device, end.baud, end.labels.at(3), end.labels.at(4)};
    for (QWidget *part : network_parts)
        part->setVisible(!serial);
    for (QWidget *part : serial_parts)
        part->setVisible(serial);
}

void MonitorPairDialog::retranslate()
{
    dialog->setWindowTitle(tr("Monitor pair"));
    listen.heading->setText(tr("Where the controller sends (the monitor listens there)"));
    camera.heading->setText(tr("The camera"));
    const QStringList kinds{tr("UDP"), tr("VISCA over IP"), tr("TCP"), tr("Serial")};
    const QStringList labels{tr("Kind"), tr("Address"), tr("Port"), tr("Serial line"),
                             tr("Baud rate")};
    for (End *end : {&listen, &camera}) {
        for (int kind = 0; kind < kinds.size(); ++kind)
            end->kind->setItemText(kind, kinds.at(kind));
        for (int label = 0; label < labels.size(); ++label)
            end->labels.at(label)->setText(labels.at(label));
    }
}

QString MonitorPairDialog::end_text(const End &end) const
{
    const QString kind = kind_names.value(end.kind->currentIndex());
    if (end.kind->currentIndex() == serial_kind)
        return kind + ':' + end.device->text().trimmed() + '@' + end.baud->currentData().toString();
    const QString address = end.address->text().trimmed();
    return kind + ':' + (address.contains(':') ? '[' + address + ']' : address) + ':' +
           QString::number(end.port->value());
}

void MonitorPairDialog::open()
{
    problem->clear();
    dialog->open();
}

void MonitorPairDialog::take()
{
    const QString text = end_text(listen) + '=' + end_text(camera);
    QString why;
    if (!monitor::read_pair(text, &why)) {
        problem->setText(why);
        return;
    }
    dialog->accept();
    taken(text);
}
