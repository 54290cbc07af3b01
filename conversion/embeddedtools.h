#pragma once

// Registers the converter tools the program carries as the resources
// :/CUSTOM/101 and :/CUSTOM/102. Defined in the orvanta_embedded_tools
// library; the window module leaves it undefined and takes the program's own,
// which the program exports under this plain name.
extern "C" void orvanta_register_converter_tools();
