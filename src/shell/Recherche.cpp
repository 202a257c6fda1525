#include <optional>

#include "db/Schema.h"
#include "platform/VbText.h"
#include "shell/AccesBase.h"
#include "shell/Frmmain.h"

// Find-or-create of a lookup entry by its whole text, letter case ignored.
void Frmmain::RechercherNumero(const QString& Data, long long& Numero, const QString& NomChamp,
                               const QString& NumChamp, platform::Database* Base) {
    const QString texte = platform::SansNul(Data);
    const QString doubled = platform::Doubled(texte);
    std::optional<platform::Database> propre;
    if (!Base) Base = &propre.emplace(db::OpenDb());
    platform::Database& d = *Base;
    auto rs =
        d.OpenRecordset(QStringLiteral("SELECT * From ") + NomChamp + QStringLiteral(" where ") +
                        NomChamp + QStringLiteral(" = '") + doubled +
                        QStringLiteral("' order by ") + NomChamp + QStringLiteral(" asc"));
    if (doubled.isEmpty()) return;
    if (rs.RecordCount() > 0) {
        Numero = rs.Fields(0).toLongLong();
        return;
    }
    Numero = AccesBase::NouvelleCle(d, NomChamp, NumChamp);
    auto all = d.OpenRecordset(QStringLiteral("SELECT * From ") + NomChamp);
    all.AddNew();
    all.SetField(0, Numero);
    all.SetField(1, texte);
    all.Update();
}
