#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace cli {

// What {hash} gives for an address: the first 16 hexadecimal digits of the
// SHA-256 of the address in UTF-8; with a key, of its HMAC-SHA-256 under
// the key instead, so that whoever holds a list of addresses cannot tell by
// hashing them which ones a page carries.
QString AddressHash(const QString& address, const QByteArray& key);

// The key held in a file: its bytes less one final line end, as an editor or
// `echo` leaves it. Nothing when the file cannot be read, holds no key or
// more than a key needs; `error` then says why.
std::optional<QByteArray> ReadKeyFile(const QString& path, QString* error);

} // namespace cli
