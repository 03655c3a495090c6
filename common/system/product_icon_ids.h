// Icon resource ids that one program of the product reads from another's
// file. Plain macros: the resource scripts include this too.
#pragma once

#define IDI_PRODUCT 100        // the mapper's icon; also the builder's own window icon
#define IDI_BUILDER_ENTRY 110  // the builder's icon group, shown for the Control Panel entry
