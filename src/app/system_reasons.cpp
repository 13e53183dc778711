#include "app/system_reasons.h"

#include <QCoreApplication>

namespace {
// What Qt's sockets and the C library say for the failures a camera link
// meets: the words are looked up in the window's catalog as they come.
const char *const common_reasons[] = {
    QT_TRANSLATE_NOOP("MainWindow", "Connection refused"),
    QT_TRANSLATE_NOOP("MainWindow", "The remote host closed the connection"),
    QT_TRANSLATE_NOOP("MainWindow", "Host not found"),
    QT_TRANSLATE_NOOP("MainWindow", "Network unreachable"),
    QT_TRANSLATE_NOOP("MainWindow", "Network is unreachable"),
    QT_TRANSLATE_NOOP("MainWindow", "Socket operation timed out"),
    QT_TRANSLATE_NOOP("MainWindow", "Connection timed out"),
    QT_TRANSLATE_NOOP("MainWindow", "Connection reset by peer"),
    QT_TRANSLATE_NOOP("MainWindow", "Address in use"),
    QT_TRANSLATE_NOOP("MainWindow", "Datagram was too large to send"),
    QT_TRANSLATE_NOOP("MainWindow", "Permission denied"),
    QT_TRANSLATE_NOOP("MainWindow", "No such file or directory"),
    QT_TRANSLATE_NOOP("MainWindow", "No such device"),
    QT_TRANSLATE_NOOP("MainWindow", "Device or resource busy"),
    QT_TRANSLATE_NOOP("MainWindow", "Resource temporarily unavailable"),
    QT_TRANSLATE_NOOP("MainWindow", "Input/output error"),
    QT_TRANSLATE_NOOP("MainWindow", "Broken pipe"),
    QT_TRANSLATE_NOOP("MainWindow", "Is a directory"),
    QT_TRANSLATE_NOOP("MainWindow", "Unknown error"),
};
} // namespace

QString system_reason(const QString &reason)
{
    for (const char *common : common_reasons)
        if (reason == QLatin1String(common))
            return QCoreApplication::translate("MainWindow", common);
    return reason;
}
