#ifndef ZARVICK_CAMERA_LIST_MODEL_H
#define ZARVICK_CAMERA_LIST_MODEL_H

#include <QAbstractTableModel>

class Cameras;
class PositionPoller;

// The camera list as rows of a table, each camera known by its id whatever
// its place: what the Cameras tab's list, the PTZ tab's camera line and the
// outside interfaces show. The texts are the program's own words in English
// (as the interfaces give them); the window shows them in its language
// through a view of its own. Names and addresses are edited here.
class CameraListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        NameColumn,
        LinkColumn,
        AddressColumn,
        StateColumn,
        PositionColumn,
        column_count
    };
    enum Role {
        IdRole = Qt::UserRole + 1,
        // Camera::State, visca::Tally and whether it is the active camera.
        StateRole,
        TallyRole,
        // Whether the switcher set the tally last (rather than a hand).
        TallyFromSwitcherRole,
        ActiveRole,
        // pan, tilt, zoom, focus as a list of four numbers; none before the
        // camera gave them.
        PositionRole,
        // The position shown is an old one: a round since went unanswered,
        // or the camera is not answering.
        PositionOldRole,
        // How long ago the camera gave its position, in milliseconds.
        PositionAgeRole,
        // The names of the camera's kept positions, in their order.
        KeptNamesRole,
    };

    CameraListModel(Cameras &cameras, PositionPoller &positions, QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // A name (not empty) or a VISCA address (1 to 7, where no other camera
    // of the same link is: else address_taken).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The row of the camera with `id`; none when it is not listed.
    QModelIndex find(int id, int column = NameColumn) const;

signals:
    // The address typed is `other`'s on the same link: nothing changed.
    void address_taken(int row, int other, int address);

private:
    // What a row shows, to tell which rows changed: only those are told.
    QVariantList look(int row) const;
    void refresh();

    Cameras &cameras;
    PositionPoller &poller;
    QList<QVariantList> shown;
};

#endif
