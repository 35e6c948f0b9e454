#include "shell/embedded_templates.h"

// The pack goes into the read-only data of the executable as it is; the build passes its path
// and recompiles this unit whenever the pack changes.
__asm__(
    ".section .rodata\n"
    ".balign 16\n"
    ".global orvanta_template_pack_begin\n"
    ".hidden orvanta_template_pack_begin\n"
    "orvanta_template_pack_begin:\n"
    ".incbin \"" ORVANTA_TEMPLATE_PACK
    "\"\n"
    ".global orvanta_template_pack_end\n"
    ".hidden orvanta_template_pack_end\n"
    "orvanta_template_pack_end:\n"
    ".previous\n");

extern "C" const uint8_t orvanta_template_pack_begin[];
extern "C" const uint8_t orvanta_template_pack_end[];

namespace orvanta {

std::span<const uint8_t> EmbeddedTemplatePack() {
  return {orvanta_template_pack_begin, orvanta_template_pack_end};
}

}  // namespace orvanta
