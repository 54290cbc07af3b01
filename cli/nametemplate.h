#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace cli {

// How --name names each image (the extension is added): the template's text
// with {address}, {local} and {domain} (the parts around the last "@"), {n}
// (the address's place in the list, from 1) and {hash} (addresshash.h)
// filled in, so that a page can name an image without giving its address
// away.
class NameTemplate {
public:
    // The default names each image after its address.
    NameTemplate() = default;
    // Nothing when `text` is no template; `error` then says why.
    static std::optional<NameTemplate> parse(const QString& text, QString* error);

    // {hash} then hashes under the key (none: a plain hash).
    void setKey(const QByteArray& key) { key_ = key; }

    QString nameFor(const QString& address, qsizetype n) const;
    bool hasPlaceholders() const;
    bool usesHash() const { return text_.contains(QStringLiteral("{hash}")); }

private:
    QString text_ = QStringLiteral("{address}");
    QByteArray key_;
};

} // namespace cli
