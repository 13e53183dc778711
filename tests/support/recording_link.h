#ifndef ZARVICK_RECORDING_LINK_H
#define ZARVICK_RECORDING_LINK_H

#include "links/link.h"
#include "visca/command_text.h"

#include <QElapsedTimer>
#include <QStringList>

// Records what would go on the wire, and when; can be closed or made to
// refuse.
class RecordingLink : public Link
{
    Q_OBJECT

public:
    RecordingLink() { clock.start(); }
    bool isOpen() const override { return open; }
    bool send(const QByteArray &bytes, Lane = Lane::Console) override
    {
        if (refuse)
            return failed("Resource temporarily unavailable");
        written << spaced_hex(bytes);
        written_ms << clock.elapsed();
        return true;
    }
    bool open = true;
    bool refuse = false;
    QStringList written;
    QList<qint64> written_ms;

private:
    QElapsedTimer clock;

protected:
    void shut() override { open = false; }
};

#endif
