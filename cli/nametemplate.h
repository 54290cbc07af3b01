#pragma once

#include <QString>
#include <optional>

namespace cli {

// How --name names each image (the extension is added): the template's text
// with {address}, {local} and {domain} (the parts around the last "@"), {n}
// (the address's place in the list, from 1) and {hash} (the first 16
// hexadecimal digits of the SHA-256 of the address in UTF-8) filled in, so
// that a page can name an image without giving its address away.
class NameTemplate {
public:
    // The default names each image after its address.
    NameTemplate() = default;
    // Nothing when `text` is no template; `error` then says why.
    static std::optional<NameTemplate> parse(const QString& text, QString* error);

    QString nameFor(const QString& address, qsizetype n) const;
    bool hasPlaceholders() const;

private:
    QString text_ = QStringLiteral("{address}");
};

} // namespace cli
