#include "addresssources.h"

#include <support/failure.h>
#include <support/listfile.h>

#include <QFile>

#include <cstdio>

namespace cli {
namespace {

QStringList readStandardInput() {
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        support::fail(QStringLiteral("Cannot read standard input: %1").arg(input.errorString()));
    return support::ListEntries(input.readAll());
}

} // namespace

QStringList ReadAddresses(const QList<AddressSource>& sources) {
    QStringList addresses;
    bool inputRead = false;
    for (const AddressSource& source : sources) {
        switch (source.kind) {
        case AddressSource::Address:
            addresses.append(source.value);
            break;
        case AddressSource::StandardInput:
            // A second "-" finds the input used up, as with cat.
            if (!std::exchange(inputRead, true))
                addresses.append(readStandardInput());
            break;
        case AddressSource::ListFile:
            support::LoadListFile(
                source.value, [&](const QStringList& entries) { addresses.append(entries); },
                [&](const QString& message) {
                    support::fail(QStringLiteral("%1: %2").arg(source.value, message));
                });
            break;
        }
    }
    return addresses;
}

} // namespace cli
