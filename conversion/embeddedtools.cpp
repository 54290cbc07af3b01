#include "embeddedtools.h"

#include <QtGlobal>

// The macro cannot stand inside a function with C linkage or a namespace.
static void registerConverterTools() {
    Q_INIT_RESOURCE(convertertools);
}

extern "C" Q_DECL_EXPORT void orvanta_register_converter_tools() {
    registerConverterTools();
}
