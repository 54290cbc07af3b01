#include "nametemplate.h"

#include "addresshash.h"

#include <QRegularExpression>

namespace cli {
namespace {

const QStringList kPlaceholders{QStringLiteral("address"), QStringLiteral("local"),
                                QStringLiteral("domain"), QStringLiteral("n"),
                                QStringLiteral("hash")};

const QRegularExpression& placeholder() {
    static const QRegularExpression pattern(QStringLiteral("\\{([^{}]*)\\}"));
    return pattern;
}

} // namespace

std::optional<NameTemplate> NameTemplate::parse(const QString& text, QString* error) {
    if (text.isEmpty()) {
        *error = QStringLiteral("--name needs a template, such as {hash}.");
        return std::nullopt;
    }
    for (const auto& match : placeholder().globalMatch(text)) {
        if (!kPlaceholders.contains(match.captured(1))) {
            *error = QStringLiteral("Unknown placeholder '%1' in --name: use {address}, {local}, "
                                    "{domain}, {n} or {hash}.")
                         .arg(match.captured(0));
            return std::nullopt;
        }
    }
    NameTemplate name;
    name.text_ = text;
    return name;
}

bool NameTemplate::hasPlaceholders() const {
    return placeholder().match(text_).hasMatch();
}

QString NameTemplate::nameFor(const QString& address, qsizetype n) const {
    const qsizetype at = address.lastIndexOf(u'@');
    QString name;
    qsizetype copied = 0;
    for (const auto& match : placeholder().globalMatch(text_)) {
        name += QStringView(text_).sliced(copied, match.capturedStart() - copied).toString();
        copied = match.capturedEnd();
        const QString which = match.captured(1);
        if (which == u"address")
            name += address;
        else if (which == u"local")
            name += at < 0 ? address : address.left(at);
        else if (which == u"domain")
            name += at < 0 ? QString() : address.mid(at + 1);
        else if (which == u"n")
            name += QString::number(n);
        else
            name += AddressHash(address, key_);
    }
    return name + text_.mid(copied);
}

} // namespace cli
