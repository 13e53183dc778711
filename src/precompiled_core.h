// Qt's headers are most of what each source file costs to compile: the
// libraries without widgets and the simulator start from this header,
// parsed once a build. Only headers whose meaning does not depend on a
// target's own options belong here.
#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QNetworkDatagram>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QSet>
#include <QSocketNotifier>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
