#pragma once

#include <QString>

namespace platform {

// The script, run inside the page, that writes the markup of the document's
// root element in the form the recipe reader's markers were written for.
const QString& ScriptDocumentHtml();

// The entities that markup writes in text (&amp; &lt; &gt; &quot; &nbsp;)
// turned back into their characters, in one pass: "&amp;lt;" gives "&lt;".
QString TexteDuBalisage(const QString& balisage);
// The other way: a text as that markup writes it.
QString BalisageDuTexte(const QString& texte);

}  // namespace platform
