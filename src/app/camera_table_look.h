#ifndef ZARVICK_CAMERA_TABLE_LOOK_H
#define ZARVICK_CAMERA_TABLE_LOOK_H

#include <QCoreApplication>
#include <QIdentityProxyModel>

class Cameras;

// The camera list as the window shows it, over the list's model: its words
// in the language chosen, the active camera in bold, the tally lamp's
// colour behind the name, an old position greyed with its age, each text
// whole in its tooltip.
class CameraTableLook : public QIdentityProxyModel
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    CameraTableLook(Cameras &cameras, QObject *parent = nullptr);
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // The words of a language change, and the positions' ages, shown anew.
    void refresh();

private:
    QString text(const QModelIndex &index) const;
    QString position_text(const QModelIndex &index) const;

    Cameras &cameras;
};

#endif
