#include <sqlite3.h>

#include <cstring>

#include "platform/Database.h"
#include "platform/Engine.h"

namespace platform {

// --------------------------------------------------------------- Recordset

Recordset::Recordset(std::shared_ptr<Connection> c, QString table)
    : conn_(std::move(c)), table_(std::move(table)) {}
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;
Recordset::~Recordset() = default;

void Recordset::MoveNext() {
    if (pos_ < rowids_.size()) ++pos_;
}

Recordset::CellRef Recordset::Store(const QVariant& v) {
    CellRef c;
    switch (KindOf(v)) {
        case Kind::Null:
            break;
        case Kind::Integer:
            c.type = CellRef::Integer;
            c.number = v.toLongLong();
            break;
        case Kind::Real: {
            c.type = CellRef::Real;
            const double d = v.toDouble();
            std::memcpy(&c.number, &d, sizeof d);
            break;
        }
        case Kind::Blob:
        case Kind::Text: {
            const bool text = KindOf(v) == Kind::Text;
            const QByteArray bytes = text ? v.toString().toUtf8() : v.toByteArray();
            c.type = text ? CellRef::Text : CellRef::Blob;
            c.number = arena_.size();
            c.size = bytes.size();
            arena_.append(bytes);
            break;
        }
    }
    return c;
}

void Recordset::StoreRow(size_t row, const std::vector<QVariant>& values) {
    for (size_t i = 0; i < names_.size(); ++i) cells_[row * names_.size() + i] = Store(values[i]);
}

std::vector<QVariant> Recordset::RowValues(size_t row) const {
    std::vector<QVariant> out;
    for (size_t i = 0; i < names_.size(); ++i) out.push_back(CellAt(row, static_cast<int>(i)));
    return out;
}

int Recordset::Ordinal(const QString& name) const {
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    throw DbError(QStringLiteral("La colonne « %1 » n'existe pas.").arg(name));
}

QVariant Recordset::Cell(int ordinal) const {
    return CellAt(pos_, ordinal);
}

QVariant Recordset::CellAt(size_t row, int ordinal) const {
    if (row >= rowids_.size()) throw DbError(QStringLiteral("Aucun enregistrement en cours."));
    if (deleted_[row]) throw DbError(QStringLiteral("L'enregistrement a été supprimé."));
    if (ordinal < 0 || static_cast<size_t>(ordinal) >= names_.size())
        throw DbError(QStringLiteral("La colonne %1 n'existe pas.").arg(ordinal));
    const CellRef& c = cells_[row * names_.size() + static_cast<size_t>(ordinal)];
    switch (c.type) {
        case CellRef::Integer:
            return QVariant(static_cast<qlonglong>(c.number));
        case CellRef::Real: {
            double d;
            std::memcpy(&d, &c.number, sizeof d);
            return QVariant(d);
        }
        case CellRef::Text:
            return QVariant(QString::fromUtf8(arena_.constData() + c.number, c.size));
        case CellRef::Blob:
            return QVariant(arena_.mid(c.number, c.size));
        default:
            return QVariant();
    }
}

QVariant Recordset::Fields(int ordinal) const {
    if (mode_ != Mode::None && ordinal >= 0 && static_cast<size_t>(ordinal) < pending_.size())
        return pending_[static_cast<size_t>(ordinal)];
    return Cell(ordinal);
}
QVariant Recordset::Fields(const QString& name) const {
    return Fields(Ordinal(name));
}
QString Recordset::Text(int ordinal) const {
    const QVariant v = Fields(ordinal);
    return v.isNull() ? QString() : v.toString();
}
QString Recordset::Text(const QString& name) const {
    return Text(Ordinal(name));
}

void Recordset::NeedTable(const char* what) const {
    if (table_.isEmpty())
        throw DbError(
            QStringLiteral("Cette requête ne permet pas %1.").arg(QString::fromUtf8(what)));
    if (!conn_ || !conn_->IsOpen())
        throw DbError(QStringLiteral("La base de données est déjà fermée."));
}

void Recordset::Edit() {
    NeedTable("la modification");
    Cell(0);
    pending_ = RowValues(pos_);
    touched_.assign(names_.size(), false);
    mode_ = Mode::Edit;
}

void Recordset::AddNew() {
    NeedTable("l'ajout");
    pending_.assign(names_.size(), QVariant());
    touched_.assign(names_.size(), false);
    mode_ = Mode::AddNew;
}

void Recordset::SetField(int ordinal, const QVariant& v) {
    if (mode_ == Mode::None)
        throw DbError(QStringLiteral("L'enregistrement n'est pas en cours de modification."));
    if (ordinal < 0 || static_cast<size_t>(ordinal) >= pending_.size())
        throw DbError(QStringLiteral("La colonne %1 n'existe pas.").arg(ordinal));
    pending_[static_cast<size_t>(ordinal)] = v;
    touched_[static_cast<size_t>(ordinal)] = true;
}
void Recordset::SetField(const QString& name, const QVariant& v) {
    SetField(Ordinal(name), v);
}

void Recordset::Update() {
    if (mode_ == Mode::None)
        throw DbError(QStringLiteral("L'enregistrement n'est pas en cours de modification."));
    NeedTable("l'écriture");
    QStringList cols;
    std::vector<QVariant> values;
    for (size_t i = 0; i < names_.size(); ++i)
        if (touched_[i]) {
            cols << Quote(names_[i]);
            values.push_back(pending_[i]);
        }
    if (mode_ == Mode::AddNew) {
        QString sql = QStringLiteral("INSERT INTO %1 ").arg(Quote(table_));
        if (cols.isEmpty()) {
            sql += QStringLiteral("DEFAULT VALUES");
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < cols.size(); ++i) marks << QStringLiteral("?");
            sql += u'(' + cols.join(u',') + QStringLiteral(") VALUES (") + marks.join(u',') + u')';
        }
        Statement st(*conn_, sql);
        for (size_t i = 0; i < values.size(); ++i) st.Bind(static_cast<int>(i + 1), values[i]);
        st.Step();
        lastModified_ = sqlite3_last_insert_rowid(conn_->Db());
        rowids_.push_back(lastModified_);
        deleted_.push_back(false);
        cells_.resize(cells_.size() + names_.size());
        StoreRow(rowids_.size() - 1, pending_);
    } else {
        const qint64 rowid = rowids_[pos_];
        if (!cols.isEmpty()) {
            QStringList sets;
            for (const QString& c : cols) sets << c + QStringLiteral("=?");
            Statement st(*conn_, QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                                     .arg(Quote(table_), sets.join(u',')));
            int i = 1;
            for (const QVariant& v : values) st.Bind(i++, v);
            st.Bind(i, QVariant(static_cast<qlonglong>(rowid)));
            st.Step();
        }
        StoreRow(pos_, pending_);
        lastModified_ = rowid;
    }
    mode_ = Mode::None;
    pending_.clear();
}

void Recordset::CancelUpdate() {
    mode_ = Mode::None;
    pending_.clear();
}

void Recordset::Delete() {
    NeedTable("la suppression");
    Cell(0);
    Statement st(*conn_, QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(Quote(table_)));
    st.Bind(1, QVariant(static_cast<qlonglong>(rowids_[pos_])));
    st.Step();
    deleted_[pos_] = true;
}

void Recordset::Close() {
    rowids_.clear();
    cells_.clear();
    deleted_.clear();
    arena_.clear();
    conn_.reset();
    mode_ = Mode::None;
}

}  // namespace platform
