#include "treebuilder.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

namespace {

// Leaf directories per group directory.
constexpr int kGroupSize = 20;
// What each small file holds: about the size of a small resource or script.
constexpr int kSmallFileSize = 100;

bool makeDirectory(const QString &path, QString *error)
{
    if (::mkdir(QFile::encodeName(path).constData(), 0755) == 0)
        return true;
    *error = QStringLiteral("cannot create directory %1").arg(path);
    return false;
}

bool writeFile(const QString &path, const QByteArray &content, qint64 size, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        *error = QStringLiteral("cannot create file %1").arg(path);
        return false;
    }
    qint64 left = size;
    bool ok = true;
    while (ok && left > 0) {
        const qint64 chunk = std::min<qint64>(left, content.size());
        ok = ::write(fd, content.constData(), static_cast<size_t>(chunk)) == chunk;
        left -= chunk;
    }
    ok = ::close(fd) == 0 && ok;
    if (!ok)
        *error = QStringLiteral("cannot write file %1").arg(path);
    return ok;
}

// Data that no file system stores as a hole or compresses away.
QByteArray patternOf(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 2463534242U;
    for (int i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[i] = static_cast<char>(state & 0xffU);
    }
    return bytes;
}

QString groupOf(const QString &root, int index)
{
    return root + QStringLiteral("/g%1").arg(index / kGroupSize, 3, 10, QLatin1Char('0'));
}

QString directoryOf(const QString &root, int index)
{
    return groupOf(root, index) + QStringLiteral("/d%1").arg(index, 5, 10, QLatin1Char('0'));
}

} // namespace

TreeBuilder::TreeBuilder(int files, int directories)
    : m_files(std::max(files, 0))
    , m_directories(std::max(directories, 1))
{
}

void TreeBuilder::setLargeFiles(int count, qint64 size)
{
    m_largeFiles = std::max(count, 0);
    m_largeFileSize = std::max<qint64>(size, 0);
}

int TreeBuilder::entryCount() const
{
    const int groups = (m_directories + kGroupSize - 1) / kGroupSize;
    return 1 + groups + m_directories + m_files + (m_largeFiles > 0 ? 1 + m_largeFiles : 0);
}

bool TreeBuilder::create(const QString &root, QString *error) const
{
    if (!makeDirectory(root, error))
        return false;
    for (int index = 0; index < m_directories; ++index) {
        if (index % kGroupSize == 0 && !makeDirectory(groupOf(root, index), error))
            return false;
        if (!makeDirectory(directoryOf(root, index), error))
            return false;
    }

    const QByteArray small = patternOf(kSmallFileSize);
    for (int file = 0; file < m_files; ++file) {
        const QString path = directoryOf(root, file % m_directories)
                             + QStringLiteral("/file%1.dat").arg(file, 6, 10, QLatin1Char('0'));
        if (!writeFile(path, small, small.size(), error))
            return false;
    }

    if (m_largeFiles == 0)
        return true;
    const QString largeDirectory = root + QStringLiteral("/large");
    if (!makeDirectory(largeDirectory, error))
        return false;
    const QByteArray block = patternOf(1 << 16);
    for (int file = 0; file < m_largeFiles; ++file) {
        const QString path = largeDirectory + QStringLiteral("/blob%1.bin").arg(file, 3, 10, QLatin1Char('0'));
        if (!writeFile(path, block, m_largeFileSize, error))
            return false;
    }
    return true;
}

} // namespace bench
