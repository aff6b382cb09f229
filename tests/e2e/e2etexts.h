#ifndef E2ETEXTS_H
#define E2ETEXTS_H

#include <QString>

// Texts the user sees, looked up in the built catalogues, so that the tests find
// windows by the titles a user would see whatever the wording of the day.
namespace E2eTexts {

QString translated(const QString &language, const char *context, const char *key);

inline QString confirmTitle(const QString &language = QStringLiteral("en"))
{
    return translated(language, "VexiloControl::CModalTipDialog", "Confirm");
}

inline QString warningTitle(const QString &language = QStringLiteral("en"))
{
    return translated(language, "VexiloControl::CModalTipDialog", "Warning");
}

inline QString mainWindowTitle(const QString &language = QStringLiteral("en"))
{
    return translated(language, "MainWindowUI", "MainWindowUI");
}

} // namespace E2eTexts

#endif
