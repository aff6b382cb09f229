// Arbitrary bytes as the setup description. Besides not crashing, not leaking and
// not overflowing the stack however deep the nesting, the record must be one the
// rest of the program can rely on.

#include "product/setupconfig.h"
#include "product/xmlnode.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void require(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// Every value is used as a C string: a NUL inside would make it mean one thing to
// one reader and another thing to the next.
bool isCString(const std::string &value)
{
    return std::strlen(value.c_str()) == value.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > static_cast<std::size_t>(appinstaller::XmlNode::kMaxDataSize))
        return 0;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<int>(size));
    const appinstaller::SetupConfig config = appinstaller::SetupConfig::fromData(bytes);

    for (const std::string &value : {config.guid(), config.programName(), config.softwareNameEN(),
                                     config.softwareNameCH(), config.installPath(), config.version(),
                                     config.companyName(), config.legalCopyright(), config.settingFile()})
        require(isCString(value), "a value holds a NUL");

    // Either nothing was read (no product named) or the name has its default.
    const std::string name = config.softwareNameEN();
    if (name.empty()) {
        require(config.guid().empty() && config.installPath().empty() && config.components().isEmpty(),
                "values were read although the document was refused");
    } else {
        const std::string path = config.installPath();
        require(path.size() >= name.size() && path.compare(path.size() - name.size(), name.size(), name) == 0,
                "the install path does not end in the product name");
    }
    return 0;
}
