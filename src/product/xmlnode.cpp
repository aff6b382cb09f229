#include "xmlnode.h"

#include <QDomNode>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace appinstaller {

namespace {

// Whether the DOM parser can be handed data without overflowing the stack.
//
// Every element starts with a '<', so data with no more than kMaxDepth of them
// cannot nest deeper; entities cannot add much, as Qt stops expanding them past
// 4,096 characters (some 600 levels). Other data is read once with the streaming
// parser, which keeps no stack per level, and passes when it is well-formed and
// never deeper than the limit. Data with many '<' that is not well-formed cannot
// be measured, because the DOM parser might read it differently from where the
// streaming parser gave up; it is refused.
bool isShallowEnough(const QByteArray &data)
{
    if (data.count('<') <= XmlNode::kMaxDepth)
        return true;

    QXmlStreamReader reader(data);
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth > XmlNode::kMaxDepth)
            return false;
        if (token == QXmlStreamReader::EndElement)
            --depth;
    }
    return !reader.hasError();
}

} // namespace

XmlNode::XmlNode(const QDomElement &element, const QDomDocument &document)
    : m_element(element)
    , m_document(document)
{
}

bool XmlNode::load(const QString &filePath)
{
    if (filePath.isNull() || !QFileInfo(filePath).isFile())
        return false;

    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text) || file.size() > kMaxDataSize)
        return false;
    // One byte more than the limit still tells an oversized file from one that fits
    // when the file grows after its size was taken.
    const QByteArray data = file.read(kMaxDataSize + 1);
    file.close();
    return loadData(data);
}

bool XmlNode::loadData(const QByteArray &data)
{
    if (data.size() > kMaxDataSize || !isShallowEnough(data))
        return false;

    // A document that does not parse is not an error here: its values simply read as
    // missing, so the parser's verdict is deliberately not looked at.
    QDomDocument document;
    document.setContent(data);

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

QList<XmlNode> XmlNode::children() const
{
    QList<XmlNode> nodes;
    for (QDomElement element = m_element.firstChildElement(); !element.isNull();
         element = element.nextSiblingElement())
        nodes.append(XmlNode(element, m_document));
    return nodes;
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
