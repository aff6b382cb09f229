#include "e2etexts.h"

#include <QDir>
#include <QTranslator>

namespace E2eTexts {

QString translated(const QString &language, const char *context, const char *key)
{
    const QDir catalogues(qEnvironmentVariable("UNINSTALL_BIN_DIR") + QStringLiteral("/translations"));
    const QStringList files = catalogues.entryList({QStringLiteral("*_") + language + QStringLiteral(".qm")});
    // The last file in name order wins, as it does in the program.
    for (auto it = files.crbegin(); it != files.crend(); ++it) {
        QTranslator translator;
        if (translator.load(*it, catalogues.path())) {
            const QString text = translator.translate(context, key);
            if (!text.isEmpty())
                return text;
        }
    }
    return QString::fromLatin1(key);
}

} // namespace E2eTexts
