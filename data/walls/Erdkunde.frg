/ Wandquiz-Wand: Erdkunde – Deutschland, Europa, Flaggen und unser Planet
/ Autor: Wandquiz-Team

TH:Deutschland
Wie heißt die Hauptstadt von Deutschland?
Berlin

Aus wie vielen Bundesländern besteht Deutschland?
Aus 16 Bundesländern

Welcher große Fluss fließt durch Köln, Bonn und Düsseldorf?
Der Rhein

Wie heißt der höchste Berg Deutschlands?
Die Zugspitze (knapp 3000 m, an der Grenze zu Österreich)

RISIKO:An wie viele Nachbarländer grenzt Deutschland?
Neun:|Dänemark, Polen, Tschechien,|Österreich, Schweiz, Frankreich,|Luxemburg, Belgien, Niederlande

@

TH:Europa
Wie heißt die Hauptstadt von Frankreich?
Paris

In welchem Land steht der Schiefe Turm von Pisa?
In Italien

Wie heißt der kleinste Staat der Welt? Er liegt mitten in Rom.
Die Vatikanstadt (der Vatikan)

Welche große Stadt liegt auf zwei Kontinenten, in Europa und in Asien?
Istanbul (Türkei) – der Bosporus trennt die beiden Teile

AL:Welcher ist der längste Fluss Europas?|A) Donau|B) Rhein|C) Wolga|D) Themse
C) Die Wolga (rund 3500 km lang)

@

TH:Flaggen
Welches Land hat diese Flagge?
Japan
flagge_japan.png
Welches Land hat diese Flagge?
Schweden
flagge_schweden.png
Welche Farben hat die Flagge Österreichs?
Rot – Weiß – Rot
A:flagge_oesterreich.png
Welches Land hat diese Flagge?
Griechenland
flagge_griechenland.png
RISIKO:Welches Land hat als einziges eine Nationalflagge, die nicht viereckig ist?
Nepal – seine Flagge besteht aus zwei übereinanderliegenden Wimpeln

@

TH:Planet Erde
Wie heißt der größte Ozean der Erde?
Der Pazifik (Pazifischer oder Stiller Ozean)

Wie heißt die rote Linie, die die Erde in eine Nord- und eine Südhalbkugel teilt?
Der Äquator
B:erdkugel.png
Oben ist Norden. In welche Himmelsrichtung zeigt der rote Pfeil?
Nach Südosten
windrose.png
JOKER
Glück gehabt – die Punkte gehören euch!

Aus welchen Schichten besteht die Erde – von innen nach außen?
AL:Von innen nach außen:|1. Innerer Erdkern|2. Äußerer Erdkern|3. Erdmantel|4. Erdkruste|(„Kern, Mantel, Kruste“ zählt als richtig)
A:erdschichten.png
@
