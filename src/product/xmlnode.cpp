#include "xmlnode.h"

#include <QDomNode>
#include <QFile>

namespace appinstaller {

XmlNode::XmlNode(const QDomElement &element, const QDomDocument &document)
    : m_element(element)
    , m_document(document)
{
}

bool XmlNode::load(const QString &filePath)
{
    if (filePath.isNull())
        return false;

    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;

    // A document that does not parse is not an error here: its values simply read as
    // missing, so the parser's verdict is deliberately not looked at.
    QDomDocument document;
    document.setContent(&file);
    file.close();

    m_document = document;
    m_element = document.documentElement();
    return true;
}

XmlNode XmlNode::child(const QString &tagName) const
{
    if (!m_element.hasChildNodes())
        return XmlNode(QDomElement(), m_document);
    return XmlNode(m_element.elementsByTagName(tagName).item(0).toElement(), m_document);
}

int XmlNode::childCount() const
{
    int count = 0;
    for (QDomElement element = m_element.firstChildElement(); !element.isNull();
         element = element.nextSiblingElement())
        ++count;
    return count;
}

XmlNode XmlNode::childAt(int index) const
{
    if (index < 0)
        return XmlNode(QDomElement(), m_document);
    QDomElement element = m_element.firstChildElement();
    for (int position = 0; position < index && !element.isNull(); ++position)
        element = element.nextSiblingElement();
    return XmlNode(element, m_document);
}

QString XmlNode::text() const
{
    for (QDomNode node = m_element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        // CDATA sections count as text nodes too.
        if (node.isText())
            return node.toText().data();
    }
    return QString();
}

} // namespace appinstaller
