// Gallery page "html": HTML labels with fonts, colours, lists, paragraphs,
// links (hover, hint and click events), images from an image list, named
// pictures, a shell icon and the message box's label.
#include <windows.h>

#include <string>

#include "controls/html/html_label.h"
#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "framework/bitmap.h"
#include "framework/font.h"
#include "framework/image_list.h"
#include "framework/win_control.h"
#include "tests/controls/html/picture_bytes.h"

namespace {

// A blend as a named picture would hold it.
std::string BlendBmp(int w, int h) {
    return MakeBmp(w, h, [w, h](int x, int y) {
        return static_cast<uint32_t>((40 + 200 * (h - 1 - y) / h) << 16 | (60 + 150 * x / w) << 8 | 200);
    });
}

THTMLabel* MakeLabel(TWinControl* parent, int x, int y, int w, int h, const std::string& html) {
    auto* l = Create<THTMLabel>(parent);
    l->SetBounds(x, y, w, h);
    l->Font().SetName("Arial");
    l->Font().SetSize(9);
    l->SetHTMLText(html);
    l->SetParent(parent);
    return l;
}

TImageList* MakeImages(TComponent* owner) {
    auto* images = Create<TImageList>(owner);
    images->SetSize(16, 16);
    const TColor colors[] = {RGB(200, 40, 40), RGB(40, 150, 60), RGB(40, 70, 200)};
    for (TColor c : colors) {
        TBitmap b(16, 16);
        b.Canvas().Brush().SetColor(RGB(255, 0, 255));
        b.Canvas().FillRect(RECT{0, 0, 16, 16});
        b.Canvas().Brush().SetColor(c);
        b.Canvas().Pen().SetColor(c);
        b.Canvas().Ellipse(1, 1, 15, 15);
        images->AddMasked(&b, RGB(255, 0, 255));
    }
    return images;
}


void BuildHtmlPage(TWinControl* parent) {
    auto* title = MakeLabel(parent, 0, 0, 800, 30,
                            "<FONT SIZE=\"12\"><B>&nbsp;HTML-Etiketten:</B> Schriften, Farben, Listen, Verweise und "
                            "Bilder</FONT>");
    title->SetColor(clBtnFace);

    auto* fonts = MakeLabel(parent, 10, 40, 380, 150,
                            "<FONT FACE=\"Times New Roman\" SIZE=\"4\" COLOR=\"clNavy\">Schriften</FONT> "
                            "<B>fett</B>, <I>kursiv</I>, <U>unterstrichen</U>, <S>durchgestrichen</S>, "
                            "<FONT COLOR=\"#C00000\">rot</FONT>, <FONT COLOR=\"clGreen\">grün</FONT>, "
                            "<FONT BGCOLOR=\"clYellow\">gelb hinterlegt</FONT>, <HI>markiert</HI>, "
                            "m<SUP>2</SUP> und H<SUB>2</SUB>O, <SH>mit Schatten</SH>, <E>Tipfehler</E>, "
                            "<FONT SIZE=\"1\">klein</FONT> <FONT SIZE=\"5\">groß</FONT>. "
                            "Zeichen: &amp; &euro; &sect; &copy; &reg; &trade; &permil; &lt;B&gt;");
    fonts->SetBevelOuter(bvLowered);

    auto* lists = MakeLabel(parent, 400, 40, 390, 150,
                            "<B>Listen</B><BR><UL><LI>Aufträge<LI>Adressen<UL><LI>Lieferanschrift"
                            "<LI>Rechnungsanschrift</UL><LI>Artikel</UL>"
                            "<P ALIGN=\"CENTER\" BGCOLOR=\"#D8E4FF\" BGCOLORTO=\"#FFFFFF\">zentriert mit Verlauf</P>"
                            "<P ALIGN=\"RIGHT\">rechtsbündig</P><P ALIGN=\"LEFT\">wieder links</P>");
    lists->SetBevelOuter(bvLowered);

    auto* status = Create<TSampleLabel>(parent);
    status->SetBounds(10, 300, 780, 18);
    status->SetCaption("Noch kein Verweis angeklickt.");
    status->SetParent(parent);

    auto* links = MakeLabel(parent, 10, 200, 380, 90,
                            "<B>Verweise</B> (Maus darüber, klicken):<BR>"
                            "Ordner <A HREF=\"C:\\Daten\">C:\\Daten</A>, Seite "
                            "<A HREF=\"http://www.example.de\">www.example.de</A>,<BR>"
                            "Post an <A HREF=\"mailto:info@example.de\">info@example.de</A>, "
                            "Ereignis <A HREF=\"Kunde:4711\">Kunde 4711</A>");
    links->SetHover(true);
    links->HoverColor = RGB(255, 240, 200);
    links->HoverFontColor = RGB(200, 0, 0);
    links->AnchorHint = true;
    links->SetShowHint(true);
    links->SetBevelOuter(bvRaised);
    links->OnAnchorClick = [status](TObject*, const std::string& a) { status->SetCaption("OnAnchorClick: " + a); };
    links->OnAnchorEnter = [status](TObject*, const std::string& a) { status->SetCaption("OnAnchorEnter: " + a); };

    auto* pictures = MakeLabel(parent, 400, 200, 390, 90, "");
    pictures->SetImages(MakeImages(parent));
    auto* container = Create<TPictureContainer>(parent);
    container->Add("Logo").Picture().LoadFromBytes(BlendBmp(48, 28));
    pictures->SetPictureContainer(container);
    pictures->SetHTMLText(
        "<B>Bilder</B>: Liste <IMG SRC=\"IDX:0\"><IMG SRC=\"IDX:1\"><IMG SRC=\"IDX:2\">, "
        "Behälter <IMG SRC=\"logo\" ALIGN=\"MIDDLE\">, gestreckt <IMG SRC=\"Logo\" WIDTH=\"24\" HEIGHT=\"14\">, "
        "Symbol <IMG SRC=\"SSYS:C:\\windows\"> <IMG SRC=\"LSYS:x.txt\">, Netz <IMG SRC=\"http://h/x.png\">(leer)");
    pictures->SetBevelOuter(bvRaised);

    // The message box's label: auto-sized under its text, links notify the box.
    auto* box = Create<TSBHTM>(parent);
    box->SetBounds(10, 330, 380, 10);
    box->Font().SetName("Arial");
    box->Font().SetSize(10);
    box->SetColor(clWhite);
    box->SetBevelOuter(bvLowered);
    box->SetAutoSizing(true);
    box->SetHTMLText("<B>Folgender Fehler ist aufgetreten:</B><BR>Die Datei konnte nicht geöffnet werden: "
                     "<A HREF=\"fileselect://C:\\Daten\\Auftrag.QTF\">C:\\Daten\\Auftrag.QTF</A><BR>"
                     "Bitte prüfen Sie, ob das Archiv vollständig übertragen wurde.");
    box->SetParent(parent);
    box->OnLinkClick = [status](TObject*) { status->SetCaption("Verweis im Meldungsfenster geöffnet."); };

    auto* ellipsis = MakeLabel(parent, 400, 330, 390, 24,
                               "Ohne Umbruch: eine lange Zeile, die am rechten Rand mit Auslassungspunkten endet");
    ellipsis->SetEllipsis(true);
    ellipsis->SetBevelOuter(bvLowered);

    auto* centred = MakeLabel(parent, 400, 364, 190, 60, "senkrecht <B>zentriert</B>");
    centred->SetVAlignment(tvaCenter);
    centred->SetBorderStyle(bsSingle);
    centred->SetBorderWidth(1);
    auto* bottom = MakeLabel(parent, 600, 364, 190, 60, "<FONT COLOR=\"clWhite\">unten, auf Farbe</FONT>");
    bottom->SetVAlignment(tvaBottom);
    bottom->SetColor(RGB(60, 90, 140));

    auto* rotated = MakeLabel(parent, 10, 450, 780, 120,
                              "<BODY BGCOLOR=\"#F4F4EC\">Gerade, <BR><BR><R a=\"20\">gedreht</R> und weiter gerade; "
                              "<IND x=\"300\">eingerückt ab 300 px<BR><P INDENT=\"40\">Absatz mit Einzug 40 px</P>"
                              "<HR>unter der Linie <Z>(verborgen)</Z>sichtbar");
    rotated->SetBevelOuter(bvLowered);
}

}  // namespace

GALLERY_PAGE(html, "html", 40, &BuildHtmlPage);
