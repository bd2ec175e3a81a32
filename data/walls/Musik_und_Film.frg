/ Wandquiz-Wand: Musik und Film – Instrumente, Noten, Kino und Lieder
/ Autor: Wandquiz-Team

TH:Instrumente
Wie viele Saiten hat eine gewöhnliche Gitarre?
Sechs
A:gitarre.png
AL:Zu welcher Instrumentengruppe gehört die Trompete?|A) Holzblasinstrumente|B) Blechblasinstrumente|C) Streichinstrumente|D) Schlaginstrumente
B) Zu den Blechblasinstrumenten

Wie viele schwarze Tasten gehören auf dem Klavier zu einer Oktave?
Fünf (dazu sieben weiße)
A:klaviatur.png
Schätzfrage: Wie viele Tasten hat ein normales Klavier?|(± 5 gilt als richtig)
88 Tasten (52 weiße und 36 schwarze)

RISIKO:Das Saxofon ist aus Metall. Zu welcher Instrumentengruppe gehört es trotzdem?
Zu den Holzblasinstrumenten –|der Ton entsteht wie bei der Klarinette mit einem Rohrblatt.

@

TH:Noten und Töne
Wie viele Linien hat ein Notensystem?
Fünf

Welche Note ist das?
Eine halbe Note
halbe_note.png
Wie heißt dieser Notenschlüssel?
Violinschlüssel (G-Schlüssel)
B:violinschluessel.png
Wie viele Achtelnoten passen in einen 4/4-Takt?
Acht

Wie heißen die Töne der C-Dur-Tonleiter in der deutschen Notenschrift?
c – d – e – f – g – a – h – c

@

TH:Film und Fernsehen
Wie heißt das Gerät, das beim Filmdreh vor jeder Aufnahme zugeschlagen wird?
Die Filmklappe (kurz: Klappe)
A:filmklappe.png
Wie heißt der Schneemann in Disneys Film „Die Eiskönigin“?
Olaf

Wie heißt der berühmte Filmpreis aus Hollywood, der als goldene Statuette verliehen wird?
Der Oscar (offiziell: Academy Award)

Wie viele Einzelbilder pro Sekunde zeigt ein klassischer Kinofilm?
24 Bilder pro Sekunde

RISIKO:Wie heißt der Hauptpreis der Berliner Filmfestspiele, der Berlinale?
Der Goldene Bär

@

TH:Lieder und Komponisten
Ergänze das Kinderlied:|„Alle meine Entchen schwimmen auf dem …“
„… See“

JOKER
Bravo – die Punkte gehören euch!

Welcher berühmte Komponist wurde 1756 in Salzburg geboren?
Wolfgang Amadeus Mozart

Welcher Komponist wurde in Bonn geboren und komponierte weiter, obwohl er fast taub war?
Ludwig van Beethoven

Aus welcher englischen Stadt stammen die Beatles?
Aus Liverpool

@
