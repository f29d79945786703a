#include "app/help.h"

#include "eval/link_verdict.h"

namespace lumor {

namespace {

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

std::string helpPage(const std::string& reportFolder) {
    return R"(<h2>Rychlý start</h2>
<ol>
<li><b>Student</b> (Ctrl+T): vyplňte jméno, příjmení, datum a studijní skupinu (Tab přejde do dalšího
pole) a potvrďte klávesou Enter.</li>
<li><b>Komponenty</b> (Ctrl+K): v okně „Seznam komponent“ vyberte šipkami v seznamu „Zdroje“ zdroj
a klávesou Enter (nebo tlačítkem „Přidej“ vedle seznamu) ho přidejte do trasy. Tab přejde k dalším
seznamům: vlákna, detektory, konektory, zesilovače.</li>
<li>Poskládejte trasu od zdroje k detektoru. U vlákna program požádá o délku v kilometrech: pište
desetinnou čárku (tečka, i z numerické klávesnice, se bere jako čárka) a potvrďte Enterem.
Znak, který do čísla nepatří, pole odmítne a pod ním řekne proč.</li>
<li>Trasu zakončete detektorem a okno zavřete klávesou Esc.</li>
<li><b>Vykresli grafy</b> (F5): program vykreslí útlum, chromatickou disperzi a polarizační vidovou
disperzi podél trasy a řádek pod oknem ukáže verdikt (níže). Ctrl+1, Ctrl+2 a Ctrl+3 ukážou grafy
zvětšené.</li>
<li>Klávesou Tab přejděte do pole <b>Závěr</b> a napište svůj závěr (nejvýš pět řádků a 550
znaků).</li>
<li><b>Protokol</b> (Ctrl+P): program zapíše Protokol.html a Protokol.pdf a otevře protokol
v prohlížeči; řádek pod oknem řekne, kam se PDF uložilo, a tlačítko vedle něj (Tab) otevře jeho
složku. <b>Odevzdejte Protokol.pdf</b>: je v něm vše, i grafy.</li>
<li>Trasu uložte (Ctrl+S), ať ji příště otevřete (Ctrl+O).</li>
</ol>
<h2>Klávesy</h2>
<table cellspacing="0" cellpadding="2">
<tr><td>Ctrl+N, Ctrl+O, Ctrl+S</td><td>nová, otevřít, uložit trasu (do jejího souboru)</td></tr>
<tr><td>Ctrl+Shift+S</td><td>uložit trasu jako… (zeptá se na soubor)</td></tr>
<tr><td>Ctrl+K, Ctrl+T, Ctrl+P</td><td>komponenty, student, protokol</td></tr>
<tr><td>Ctrl+Shift+O</td><td>otevřít zadání učitele (*.zadani)</td></tr>
<tr><td>F5, F1</td><td>vykreslit grafy, tato nápověda</td></tr>
<tr><td>Ctrl+Z, Ctrl+Y</td><td>vrátit a znovu provést změnu trasy</td></tr>
<tr><td>Delete, Ctrl+←, Ctrl+→, F2</td><td>v tabulce trasy: odebrat, posunout vybranou komponentu,
změnit délku vlákna</td></tr>
<tr><td>Tab, Shift+Tab</td><td>další a předchozí ovládací prvek; v tabulkách se buňkami pohybují
šipky</td></tr>
<tr><td>Enter, F2</td><td>v seznamu komponent, v seznamu zdrojů, vláken…: přidat vybranou komponentu
do trasy, upravit ji</td></tr>
<tr><td>Ctrl+F, Enter</td><td>v seznamu komponent: do pole „Hledej“, hledat</td></tr>
<tr><td>Insert, Ctrl+Delete, Ctrl+Backspace</td><td>v seznamu komponent: přidat komponentu do
seznamu, odebrat poslední, smazat poslední komponentu trasy</td></tr>
<tr><td>Esc</td><td>zavřít okno</td></tr>
</table>
<h2>Verdikt a přenosová rychlost</h2>
<p>Po vykreslení řádek pod oknem uvede úroveň signálu na detektoru, citlivost detektoru a rezervu
(úroveň minus citlivost). Není-li rezerva záporná, detektor signál zachytí. Dále uvede disperze na
konci trasy a odhad nejvyšší přenosové rychlosti a co ji omezuje.</p>
<p>)" + escaped(kBitRateRules) +
           R"(</p>
<h2>Kam se ukládají soubory</h2>
<ul>
<li>Grafy (att.bmp, cd.bmp, pmd.bmp) a protokol (Protokol.html, Protokol.pdf) zapisuje program do
složky <b>)" +
           escaped(reportFolder) +
           R"(</b>; každé vykreslení a každý protokol přepíše předchozí.</li>
<li>Trasy (*.trasa) a seznamy komponent (*.komp) jsou tam, kam je uložíte. Okno pro výběr souboru
začíná ve složce, kterou jste použili naposledy, poprvé ve složce Dokumenty. „Ulož optickou trasu“
zapíše trasu bez ptaní do souboru, z něhož byla otevřena nebo kam byla uložena; „Ulož optickou trasu
jako…“ se zeptá.</li>
</ul>
)";
}

}  // namespace lumor
