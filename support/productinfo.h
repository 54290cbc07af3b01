#pragma once

#include <QString>

// Fixed names of the product. Stored settings and error reports depend on
// them, so they never change between versions.
namespace product {

inline const QString kName = QStringLiteral("Tessaline Varomund Kelbrith Ostavan Pellor");
inline const QString kProjectMark = QStringLiteral("Orvanta2021/08/31");
inline const QString kHomePage = QStringLiteral("https://orvanta.example.org/");
inline const QString kSupportAddress = QStringLiteral("support@orvanta.example.org");

} // namespace product
