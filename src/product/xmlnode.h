#ifndef APPINSTALLER_XMLNODE_H
#define APPINSTALLER_XMLNODE_H

#include <QDomDocument>
#include <QDomElement>
#include <QString>

namespace appinstaller {

// A small reading layer over Qt's DOM: one element plus the document it belongs to,
// so that the parsed document lives as long as any node refers into it.
class XmlNode
{
public:
    XmlNode() = default;

    // Parses the file and makes its root element current. False only when the path
    // is null or the file cannot be opened; a malformed document still gives true.
    bool load(const QString &filePath);

    // The first descendant element named tagName, in document order.
    XmlNode child(const QString &tagName) const;
    // The number of direct child elements.
    int childCount() const;
    // The direct child element at index, counting elements only.
    XmlNode childAt(int index) const;
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
