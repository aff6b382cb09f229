#ifndef BENCH_TREEBUILDER_H
#define BENCH_TREEBUILDER_H

#include <QString>
#include <QtGlobal>

namespace bench {

// Lays out a product-like tree of known shape: small files spread evenly over
// directories that are grouped two levels deep, as installed programs nest
// them, and a few large files in a directory of their own. Two trees of the same
// shape are identical byte for byte, so that two removers can be compared on them.
class TreeBuilder
{
public:
    TreeBuilder(int files, int directories);

    void setLargeFiles(int count, qint64 size);

    // Every file and directory the tree holds, the root included.
    int entryCount() const;
    int fileCount() const { return m_files + m_largeFiles; }

    // Creates the tree at root, which must not exist yet. False with the reason
    // in error when any part could not be written.
    bool create(const QString &root, QString *error) const;

private:
    int m_files = 0;
    int m_directories = 1;
    int m_largeFiles = 0;
    qint64 m_largeFileSize = 0;
};

} // namespace bench

#endif
