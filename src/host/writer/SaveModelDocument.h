// Writes the model of any host, read only through the host interface, as a model
// document (docs/model-documents.md). Everything the transfer reads survives: a saved
// document answers every host operation the transfer calls as the original host did,
// so both transfer to the same bytes. The "Save Model Document..." button of the dialog
// calls this on the live host model; the command line on a loaded document.
#pragma once

#include "host/TarvoHost.h"

#include <iosfwd>

namespace t2v::host {

// Streams the document to `out` (nothing is held whole in memory). Throws
// std::runtime_error naming the object when the host answers what a document cannot
// hold (a number that is not finite, an object without its required data) and
// HostError when a call fails; `out` then holds a partial document that the caller
// discards. Function files are written as absolute paths.
void SaveModelDocument(TarvoHost& host, std::ostream& out);

}  // namespace t2v::host
