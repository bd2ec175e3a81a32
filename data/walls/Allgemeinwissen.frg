/ Wandquiz-Wand: Allgemeinwissen – für Schule und Party
/ Autor: Wandquiz-Team

TH:Tiere
Welches Tier wird auch „König der Tiere“ genannt?
Der Löwe

Wie viele Beine hat ein Insekt?
Sechs Beine – zum Beispiel der Marienkäfer
A:insekt.png
Wie nennt man ein junges Pferd?
Fohlen (auch Füllen)

AL:Welches dieser Tiere ist ein Säugetier?|A) Hai|B) Delfin|C) Pinguin|D) Krokodil
B) Der Delfin

RISIKO:Wie viele Herzen hat ein Krake (Oktopus)?
Drei Herzen

@

TH:Zahlen und Zeit
Wie viele Tage hat ein Schaltjahr?
366 Tage

Wie spät ist es auf dieser Uhr?
Viertel nach neun|(9:15 Uhr oder 21:15 Uhr)
uhr.png
JOKER
Glückwunsch – die Punkte gehören euch!

Für welche Zahl steht die römische Zahl XL?
40 (X = 10 steht vor L = 50, also 50 − 10)

Wie schreibt man die Jahreszahl 1999 mit römischen Zahlen?
MCMXCIX|(M = 1000, CM = 900, XC = 90, IX = 9)

@

TH:Rund um den Alltag
Welche Farbe hat bei einer Verkehrsampel das oberste Licht?
Rot

Was bedeutet dieses Verkehrszeichen?
Vorfahrtstraße – man hat an den folgenden Kreuzungen|und Einmündungen Vorfahrt, bis ein anderes Zeichen kommt.
vorfahrtstrasse.png
Mit wie vielen Figuren beginnt jeder Spieler eine Partie Schach?
16 Figuren (8 Bauern, 2 Türme, 2 Springer, 2 Läufer, Dame und König)

Gegenüberliegende Seiten eines Spielwürfels ergeben zusammen immer dieselbe Zahl. Welche?
Sieben (1 + 6, 2 + 5, 3 + 4)
B:wuerfel.png
Wie viele Augen (Punkte) hat ein normaler Spielwürfel auf allen Seiten zusammen?
21 (1 + 2 + 3 + 4 + 5 + 6)

@

TH:Essen und Trinken
Aus welchem Getreide wird Popcorn gemacht?
Aus Mais (Puffmais)

In welchem Land wurde die Pizza erfunden?
In Italien (in Neapel)

Aus welchen Bohnen wird Schokolade hergestellt?
Aus Kakaobohnen, den Samen des Kakaobaums

Aus welchem Gemüse wird Sauerkraut gemacht?
Aus Weißkohl (auch Spitzkohl)

RISIKO:Welches Gewürz wird aus den getrockneten Blütennarben einer Krokus-Art gewonnen?
Safran

@
