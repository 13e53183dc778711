#include "control/camera_list_model.h"

#include "control/cameras.h"
#include "control/position_poller.h"

namespace {
QString state_word(Camera::State state)
{
    switch (state) {
    case Camera::State::Closed: return QStringLiteral("closed");
    case Camera::State::Reconnecting: return QStringLiteral("reconnecting");
    case Camera::State::Open: return QStringLiteral("open");
    case Camera::State::Answering: return QStringLiteral("answering");
    case Camera::State::NotAnswering: return QStringLiteral("not answering");
    }
    return QString();
}

QString link_words(const CameraSettings &camera)
{
    const QString kind = link_text(camera.link());
    if (camera.serial_mode)
        return kind + ' ' + camera.port_name;
    return kind + ' ' + camera.address + ':' + camera.port;
}

QString position_words(const QVariantList &at)
{
    return QStringLiteral("pan %1, tilt %2, zoom %3, focus %4")
        .arg(at.value(0).toInt())
        .arg(at.value(1).toInt())
        .arg(at.value(2).toInt())
        .arg(at.value(3).toInt());
}
} // namespace

CameraListModel::CameraListModel(Cameras &camera_list, PositionPoller &positions, QObject *parent)
    : QAbstractTableModel(parent), cameras(camera_list), poller(positions)
{
    for (int row = 0; row < cameras.count(); ++row)
        shown << look(row);
    connect(&cameras, &Cameras::listed, this, &CameraListModel::refresh);
    connect(&cameras, &Cameras::switched, this, &CameraListModel::refresh);
    connect(&cameras, &Cameras::state_changed, this, &CameraListModel::refresh);
    connect(&poller, &PositionPoller::changed, this, &CameraListModel::refresh);
}

int CameraListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(shown.size());
}

int CameraListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : column_count;
}

QVariant CameraListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= cameras.count())
        return QVariant();
    const int row = index.row();
    const Camera &camera = cameras.camera(row);
    const std::optional<PositionPoller::Seen> seen = poller.position(row);
    QVariantList at;
    if (seen) {
        const PositionPoller::Position &now = seen->position;
        at = {now.pan_tilt.pan, now.pan_tilt.tilt, now.zoom, now.focus};
    }
    switch (role) {
    case IdRole: return camera.id();
    case StateRole: return int(camera.state());
    case TallyRole: return int(camera.tally());
    case TallyFromSwitcherRole: return camera.tally_origin() == Camera::TallyOrigin::switcher;
    case ActiveRole: return row == cameras.active();
    case PositionRole: return seen ? QVariant(at) : QVariant();
    case PositionOldRole:
        return seen && (seen->stale || camera.state() != Camera::State::Answering);
    case PositionAgeRole: return seen ? QVariant(seen->age_ms) : QVariant();
    case KeptNamesRole: {
        QStringList names;
        for (const KeptPosition &kept : camera.settings().positions)
            names << kept.name;
        return names;
    }
    case Qt::DisplayRole:
    case Qt::EditRole: break;
    default: return QVariant();
    }
    switch (Column(index.column())) {
    case NameColumn: return camera.name();
    case LinkColumn: return link_words(camera.settings());
    case AddressColumn: return QString::number(camera.address());
    case StateColumn: return state_word(camera.state());
    case PositionColumn: return seen ? position_words(at) : QString();
    case column_count: break;
    }
    return QVariant();
}

bool CameraListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.row() >= cameras.count())
        return false;
    const int row = index.row();
    if (index.column() == NameColumn) {
        if (value.toString().trimmed().isEmpty())
            return false;
        cameras.rename(row, value.toString());
        return true;
    }
    if (index.column() != AddressColumn)
        return false;
    const std::optional<int> address = decimal_within(
        value.toString(), CameraSettings::first_address, CameraSettings::last_address);
    if (!address)
        return false;
    // Two rows driving one camera would each think the other's drives
    // their own.
    CameraSettings moved = cameras.settings(row);
    moved.visca_address = *address;
    const int other = cameras.same_camera(moved, row);
    if (other >= 0) {
        emit address_taken(row, other, *address);
        return false;
    }
    cameras.settings(row).visca_address = *address;
    cameras.note_changed();
    return true;
}

Qt::ItemFlags CameraListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const bool editable = index.column() == NameColumn || index.column() == AddressColumn;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled |
           (editable ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

QModelIndex CameraListModel::find(int id, int column) const
{
    const int row = cameras.index_of_id(id);
    return row < 0 ? QModelIndex() : index(row, column);
}

QVariantList CameraListModel::look(int row) const
{
    QVariantList values;
    // Made directly: the row may not be counted yet.
    for (int column = 0; column < column_count; ++column)
        values << data(createIndex(row, column));
    for (const int role : {IdRole, StateRole, TallyRole, TallyFromSwitcherRole, ActiveRole,
                           PositionOldRole, KeptNamesRole})
        values << data(createIndex(row, 0), role);
    return values;
}

void CameraListModel::refresh()
{
    // Cameras added or removed: the rows anew. Otherwise the rows that
    // changed, in place: a name being edited keeps its editor, and the
    // interfaces tell only the cameras that changed.
    if (shown.size() != cameras.count()) {
        beginResetModel();
        shown.clear();
        for (int row = 0; row < cameras.count(); ++row)
            shown << look(row);
        endResetModel();
        return;
    }
    for (int row = 0; row < shown.size(); ++row) {
        QVariantList now = look(row);
        if (now == shown.at(row))
            continue;
        shown[row] = std::move(now);
        emit dataChanged(index(row, 0), index(row, column_count - 1));
    }
}
