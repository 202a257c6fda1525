#include "platform/DocumentHtml.h"

namespace platform {

// The markup of the root element, as the reader expects it:
// - tag names in capitals: <TITLE>, </A>, <TD>, <BR>; elements without
//   content (BR, IMG, META ...) get no end tag, and neither do table cells:
//   the older partner pages leave their cells open, and the reader of that
//   layout cuts from a cell's text on into the next cell, as the old browser
//   gave it;
// - attributes in the page's order, their names as the parser keeps them,
//   except the old table and form names written in mixed case (vAlign,
//   colSpan, rowSpan, cellPadding, cellSpacing, bgColor, noWrap ...); the
//   attributes that the reader's markers name come in the markers' order
//   whatever the page's (<A title= href=>, <META content= itemprop=>,
//   <TD class= vAlign= align=>), each in the place one of them held, so a
//   template that writes them otherwise reads the same;
// - a link address (href, src) resolved against the page's address, so the
//   reader's markers built from the site's address find relative links too;
// - a value of an attribute of classic HTML bare when it holds only
//   letters, digits and -_.: ; any other value, and every value of an
//   attribute that classic HTML does not know (itemprop, property, data-),
//   in double quotes, with & " < > and the no-break space written as
//   entities;
// - a style attribute written from the rules the page parsed, property
//   names in capitals, each "NAME: value", joined by "; ", in quotes
//   (style="WIDTH: 48px");
// - text escaped as a browser does: &amp; &lt; &gt; and &nbsp; for the
//   no-break space, so that a "<" of the text is never taken for a tag;
//   the text of scripts and styles as it stands; a text of nothing but
//   white space that holds a line break is the layout of the page's source
//   and is left out, as the old browser did;
// - white space in text as the page shows it: a run of spaces, tabs and
//   line ends is one space, a space that follows another (across inline
//   tags too) is dropped, and so is one at the start or the end of a line
//   of text (a block, a cell, a <BR>); inside PRE and TEXTAREA it stays as
//   written. A page laid out by hand thus gives no field a line end or an
//   indentation of its source. The no-break space is no white space here;
// - comments kept, other nodes left out;
// - a carriage return and line feed before the start tag of every block
//   (paragraphs, lists and their items, headings, divisions, tables and
//   their rows, the head and its title, meta and link tags): one line of
//   the result is one block. Cells stay on their row's line.
// The walk keeps its own stack, so a deeply nested page cannot exhaust
// the script's.
const QString& ScriptDocumentHtml() {
    static const QString script = QStringLiteral(R"JS((function () {
  function set(l) { var o = {}; l.split(' ').forEach(function (k) { o[k] = 1; }); return o; }
  var BLOCS = set('ADDRESS ARTICLE ASIDE BASE BLOCKQUOTE BODY CAPTION CENTER DD DIR DIV DL DT ' +
    'FIELDSET FIGCAPTION FIGURE FOOTER FORM H1 H2 H3 H4 H5 H6 HEAD HEADER HR LI LINK MAIN MENU ' +
    'META NAV NOFRAMES NOSCRIPT OL P PRE SECTION TABLE TBODY TFOOT THEAD TITLE TR UL');
  var VIDES = set('AREA BASE BASEFONT BR COL EMBED FRAME HR IMG INPUT ISINDEX LINK META PARAM ' +
    'SOURCE TRACK WBR');
  var OUVERTES = set('TD TH');
  var BRUTS = set('SCRIPT STYLE XMP IFRAME NOEMBED NOFRAMES PLAINTEXT NOSCRIPT');
  var LIENS = set('href src');
  var CLASSIQUES = set('abbr accept accept-charset accesskey action align alink alt archive axis ' +
    'background bgcolor border cellpadding cellspacing char charoff charset checked cite class ' +
    'classid clear code codebase codetype color cols colspan compact content coords data datetime ' +
    'declare defer dir disabled enctype face for frame frameborder headers height href hreflang ' +
    'hspace http-equiv id ismap label lang language link longdesc marginheight marginwidth ' +
    'maxlength media method multiple name nohref noresize noshade nowrap object profile prompt ' +
    'readonly rel rev rows rowspan rules scheme scope scrolling selected shape size span src ' +
    'standby start style summary tabindex target text title type usemap valign value valuetype ' +
    'version vlink vspace width');
  var NOMS = {valign: 'vAlign', colspan: 'colSpan', rowspan: 'rowSpan',
    cellpadding: 'cellPadding', cellspacing: 'cellSpacing', bgcolor: 'bgColor', nowrap: 'noWrap',
    tabindex: 'tabIndex', accesskey: 'accessKey', maxlength: 'maxLength', readonly: 'readOnly',
    usemap: 'useMap', ismap: 'isMap', frameborder: 'frameBorder', marginwidth: 'marginWidth',
    marginheight: 'marginHeight', longdesc: 'longDesc', datetime: 'dateTime', enctype: 'encType',
    noshade: 'noShade', noresize: 'noResize', nohref: 'noHref'};
  var NU = /^[A-Za-z0-9_.:\-]+$/;
  var MISE = /^[ \t\r\n\f]*[\r\n][ \t\r\n\f]*$/;
  var BLANCS = /[ \t\r\n\f]+/g;
  // White space kept as written inside these.
  var GARDES = set('PRE TEXTAREA LISTING');
  // Shown as one object: the spaces on its two sides do not meet.
  var OBJETS = set('AREA BASEFONT EMBED FRAME IMG INPUT ISINDEX PARAM SOURCE TRACK WBR ' +
    'IFRAME OBJECT SELECT BUTTON TEXTAREA VIDEO AUDIO CANVAS SVG');
  var ORDRE = {A: ['title', 'href'], META: ['content', 'itemprop'],
    TD: ['class', 'valign', 'align']};
  var ENTITES = {'&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;', '\u00a0': '&nbsp;'};
  function entite(c) { return ENTITES[c]; }
  function texte(s) { return s.replace(/[&<>\u00a0]/g, entite); }
  function valeur(s) { return '"' + s.replace(/[&<>"\u00a0]/g, entite) + '"'; }
  function adresse(v) {
    try { return new URL(v, document.baseURI).href; } catch (e) { return v; }
  }
  function attributs(t, liste) {
    var a = Array.prototype.slice.call(liste), ordre = ORDRE[t];
    if (!ordre) return a;
    var places = [];
    a.forEach(function (x, i) { if (ordre.indexOf(x.name) >= 0) places.push(i); });
    var ranges = places.map(function (i) { return a[i]; });
    ranges.sort(function (x, y) { return ordre.indexOf(x.name) - ordre.indexOf(y.name); });
    places.forEach(function (p, k) { a[p] = ranges[k]; });
    return a;
  }
  // The end of an element, met again on the stack after its content.
  function Fin(t, balise) { this.t = t; this.balise = balise; }
  var out = [], pile = [], c;
  var gardes = 0;       // inside elements that keep their white space
  var debut = true;     // at the start of a line of text
  var blanc = false;    // the text so far ends with a space
  var dernier = -1;     // where that space stands in out
  function finDeLigne() {
    if (dernier >= 0) out[dernier] = out[dernier].slice(0, -1);
    dernier = -1; blanc = false; debut = true;
  }
  function objet() { dernier = -1; blanc = false; debut = false; }
  function coupe(t) { return BLOCS[t] === 1 || OUVERTES[t] === 1 || t === 'BR'; }
  var racine = document.documentElement;
  if (!racine) return '';
  for (c = racine.lastChild; c; c = c.previousSibling) pile.push(c);
  while (pile.length) {
    var n = pile.pop();
    if (n instanceof Fin) {
      if (GARDES[n.t] === 1) --gardes;
      if (coupe(n.t)) finDeLigne(); else if (OBJETS[n.t] === 1) objet();
      if (n.balise) out.push(n.balise);
      continue;
    }
    if (n.nodeType === 1) {
      var t = n.tagName.toUpperCase();
      if (coupe(t)) finDeLigne(); else if (OBJETS[t] === 1) objet();
      if (BLOCS[t] === 1 && out.length) out.push('\r\n');
      var s = '<' + t, liste = attributs(t, n.attributes);
      for (var i = 0; i < liste.length; ++i) {
        var a = liste[i], nom = a.name, v = a.value;
        if (LIENS[nom] === 1) v = adresse(v);
        s += ' ' + (NOMS[nom] || nom) + '=';
        if (nom === 'style' && n.style) {
          var regles = [];
          for (var k = 0; k < n.style.length; ++k) {
            var p = n.style[k];
            regles.push(p.toUpperCase() + ': ' + n.style.getPropertyValue(p));
          }
          s += valeur(regles.join('; '));
          continue;
        }
        s += (CLASSIQUES[nom] === 1 && NU.test(v)) ? v : valeur(v);
      }
      out.push(s + '>');
      if (VIDES[t] !== 1) {
        if (GARDES[t] === 1) ++gardes;
        pile.push(new Fin(t, OUVERTES[t] === 1 ? '' : '</' + t + '>'));
        var parent = (t === 'TEMPLATE' && n.content) ? n.content : n;
        for (c = parent.lastChild; c; c = c.previousSibling) pile.push(c);
      }
    } else if (n.nodeType === 3) {
      if (MISE.test(n.data)) continue;
      var haut = n.parentNode;
      if (haut && haut.nodeType === 1 && BRUTS[haut.tagName.toUpperCase()] === 1) {
        out.push(n.data);
        continue;
      }
      if (gardes > 0) {
        out.push(texte(n.data));
        objet();
        continue;
      }
      var d = n.data.replace(BLANCS, ' ');
      if ((debut || blanc) && d.charAt(0) === ' ') d = d.slice(1);
      if (!d) continue;
      out.push(texte(d));
      debut = false;
      blanc = d.charAt(d.length - 1) === ' ';
      dernier = blanc ? out.length - 1 : -1;
    } else if (n.nodeType === 8) {
      out.push('<!--' + n.data + '-->');
    }
  }
  return out.join('');
})())JS");
    return script;
}

namespace {
struct Entite {
    QStringView nom;
    QChar car;
};
constexpr Entite kEntites[] = {{u"&amp;", u'&'},
                               {u"&lt;", u'<'},
                               {u"&gt;", u'>'},
                               {u"&quot;", u'"'},
                               {u"&nbsp;", QChar(0x00A0)}};
}  // namespace

QString TexteDuBalisage(const QString& balisage) {
    qsizetype i = balisage.indexOf(u'&');
    if (i < 0) return balisage;
    QString r;
    r.reserve(balisage.size());
    qsizetype debut = 0;
    const QStringView b(balisage);
    for (; i >= 0; i = balisage.indexOf(u'&', i)) {
        const Entite* e = nullptr;
        for (const Entite& x : kEntites)
            if (b.sliced(i).startsWith(x.nom)) e = &x;
        if (!e) {
            ++i;
            continue;
        }
        r += b.sliced(debut, i - debut);
        r += e->car;
        i += e->nom.size();
        debut = i;
    }
    r += b.sliced(debut);
    return r;
}

QString BalisageDuTexte(const QString& texte) {
    QString r;
    r.reserve(texte.size());
    for (const QChar c : texte) {
        switch (c.unicode()) {
            case u'&':
                r += u"&amp;";
                break;
            case u'<':
                r += u"&lt;";
                break;
            case u'>':
                r += u"&gt;";
                break;
            case 0x00A0:
                r += u"&nbsp;";
                break;
            default:
                r += c;
        }
    }
    return r;
}

}  // namespace platform
