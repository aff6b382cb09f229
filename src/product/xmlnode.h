#ifndef APPINSTALLER_XMLNODE_H
#define APPINSTALLER_XMLNODE_H

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QString>

namespace appinstaller {

// A small reading layer over Qt's DOM: one element plus the document it belongs to,
// so that the parsed document lives as long as any node refers into it.
class XmlNode
{
public:
    // A setup description is a few kilobytes. Larger data is not read at all: the
    // DOM of many small elements takes some twenty times the size of the text.
    static constexpr int kMaxDataSize = 4 * 1024 * 1024;
    // Qt's XML parser recurses once per level of element nesting, and the DOM frees
    // its tree the same way, at a few hundred bytes of stack a level: some 3,000
    // levels exhaust the 1 MB main-thread stack of a Windows program. Real
    // descriptions nest four or five levels deep.
    static constexpr int kMaxDepth = 1000;

    XmlNode() = default;

    // Parses the file and makes its root element current. False when the path is
    // null, or the file is not a regular file (a FIFO would block the start-up, a
    // device never end) or cannot be opened, or loadData() refuses what it holds.
    // A malformed document still gives true.
    bool load(const QString &filePath);

    // Parses data as load() parses a file's contents. False, leaving the node as it
    // was, when data is larger than kMaxDataSize or may nest deeper than kMaxDepth
    // (see the definition for how that is told without parsing it).
    bool loadData(const QByteArray &data);

    // The first descendant element named tagName, in document order.
    XmlNode child(const QString &tagName) const;
    // The number of direct child elements.
    int childCount() const;
    // The direct child element at index, counting elements only.
    XmlNode childAt(int index) const;
    // Every direct child element, in document order: one walk over them, where
    // childAt() for each index in turn walks them again each time.
    QList<XmlNode> children() const;
    // The data of the first direct text (or CDATA) child; null when there is none.
    QString text() const;

    bool isNull() const { return m_element.isNull(); }

private:
    XmlNode(const QDomElement &element, const QDomDocument &document);

    QDomElement m_element;
    QDomDocument m_document;
};

} // namespace appinstaller

#endif
