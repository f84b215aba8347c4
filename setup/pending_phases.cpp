// Phases whose subsystems are not built yet: each does nothing, so that the
// run walks its whole sequence. Each goes when its subsystem lands.
#include "setup/phases.h"
#include "actions/create_links.h"


