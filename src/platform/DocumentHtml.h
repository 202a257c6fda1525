#pragma once

#include <QString>

namespace platform {

// The script, run inside the page, that writes the markup of the document's
// root element in the form the recipe reader's markers were written for.
const QString& ScriptDocumentHtml();

}  // namespace platform
