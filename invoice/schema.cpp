#include "invoice.h"

#include <QFile>
#include <QSaveFile>

#include <libxml/parser.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlschemas.h>

#include <cstring>
#include <memory>

namespace invoice {

namespace {

// The schema and the signature schema that it imports by a relative name are read from the
// program's resources through this scheme; libxml2 may load nothing else, so never the network.
constexpr char kScheme[] = "qrc:/";
constexpr char kSchema[] = "qrc:/fatturapa/Schema_VFPA12_V1.2.3.xsd";

bool fromResources(const char *uri) {
    return uri && std::strncmp(uri, kScheme, std::strlen(kScheme)) == 0;
}

int matchResource(const char *uri) {
    return fromResources(uri) ? 1 : 0;
}

void *openResource(const char *uri) {
    auto file = std::make_unique<QFile>(QString::fromUtf8(uri + std::strlen(kScheme) - 2));
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file.release();
}

int readResource(void *context, char *buffer, int length) {
    return int(static_cast<QFile *>(context)->read(buffer, length));
}

int closeResource(void *context) {
    delete static_cast<QFile *>(context);
    return 0;
}

xmlExternalEntityLoader defaultLoader = nullptr;

xmlParserInputPtr resourcesOnly(const char *url, const char *id, xmlParserCtxtPtr context) {
    return fromResources(url) ? defaultLoader(url, id, context) : nullptr;
}

struct Schema {
    Schema() {
        xmlInitParser();
        xmlRegisterInputCallbacks(matchResource, openResource, readResource, closeResource);
        defaultLoader = xmlGetExternalEntityLoader();
        xmlSetExternalEntityLoader(resourcesOnly);
        xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(kSchema);
        schema = xmlSchemaParse(parser);
        xmlSchemaFreeParserCtxt(parser);
    }
    ~Schema() { xmlSchemaFree(schema); }
    xmlSchemaPtr schema = nullptr;
};

QString describe(const xmlError *error) {
    if (!error)
        return QStringLiteral("errore sconosciuto");
    return QStringLiteral("riga %1: %2")
        .arg(error->line)
        .arg(QString::fromUtf8(error->message).trimmed());
}

void collect(void *messages, xmlErrorPtr error) {
    auto *list = static_cast<QStringList *>(messages);
    if (list->size() < 3)
        list->append(describe(error));
}

} // namespace

QString schemaErrors(const QByteArray &xml) {
    static const Schema schema;
    if (!schema.schema)
        return QStringLiteral("Lo schema FatturaPA del programma non si legge: la fattura non "
                              "si può controllare.");
    using Parser = std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)>;
    const Parser parser(xmlNewParserCtxt(), xmlFreeParserCtxt);
    using Doc = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;
    const Doc doc(xmlCtxtReadMemory(parser.get(), xml.constData(), int(xml.size()), "fattura.xml",
                                    nullptr,
                                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
                  xmlFreeDoc);
    if (!doc)
        return QStringLiteral("La fattura non è un XML ben formato (%1).")
            .arg(describe(xmlCtxtGetLastError(parser.get())));
    using Valid = std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)>;
    const Valid valid(xmlSchemaNewValidCtxt(schema.schema), xmlSchemaFreeValidCtxt);
    QStringList messages;
    xmlSchemaSetValidStructuredErrors(valid.get(), collect, &messages);
    if (xmlSchemaValidateDoc(valid.get(), doc.get()) != 0)
        return QStringLiteral("La fattura non rispetta lo schema ufficiale FatturaPA 1.2.3: %1.")
            .arg(messages.isEmpty() ? QStringLiteral("errore sconosciuto")
                                    : messages.join(QStringLiteral("; ")));
    return {};
}

QString writeInvoiceFile(const QByteArray &xml, const QString &path) {
    if (QString error = schemaErrors(xml); !error.isEmpty())
        return error + QStringLiteral(" Il file «%1» non è stato scritto.").arg(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size() || !file.commit())
        return QStringLiteral("Il file «%1» non si può scrivere: %2.")
            .arg(path, file.errorString());
    return {};
}

} // namespace invoice
