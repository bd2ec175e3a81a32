/ Wandquiz-Wand: Natur und Technik – Weltall, Körper, Physik und Erfindungen
/ Autor: Wandquiz-Team

TH:Weltall
Wie heißt der Stern, um den die Erde kreist?
Die Sonne

Welcher Planet ist mit dem roten Pfeil markiert?
Der Mars – der vierte Planet von der Sonne aus
sonnensystem.jpg
Wer betrat 1969 als erster Mensch den Mond?
Neil Armstrong (Mission Apollo 11)

Schätzfrage: Wie weit ist der Mond im Mittel von der Erde entfernt?|(± 50.000 km gilt als richtig)
Rund 384.000 Kilometer

RISIKO:AL:Wie lange braucht das Sonnenlicht ungefähr bis zur Erde?|A) 8 Sekunden|B) 8 Minuten|C) 8 Stunden|D) 8 Tage
B) Gut 8 Minuten (etwa 8 Minuten und 20 Sekunden)

@

TH:Der menschliche Körper
Welches Organ pumpt das Blut durch unseren Körper?
Das Herz

Wie viele Zähne hat ein Erwachsener normalerweise – mit Weisheitszähnen?
32 Zähne

Wie heißt der längste Knochen im Körper des Menschen?
Der Oberschenkelknochen (Femur)

Welches ist das größte Organ des Menschen?
Die Haut

AL:Wie viele Knochen hat ein erwachsener Mensch ungefähr?|A) 106|B) 206|C) 306|D) 406
B) Etwa 206 Knochen

@

TH:Physik und Chemie
Bei wie viel Grad Celsius kocht Wasser auf Meereshöhe?
Bei 100 Grad Celsius
A:thermometer.png
Was passiert, wenn man zwei Magnete mit den Nordpolen aneinanderhält?
Sie stoßen sich ab.|Gleiche Pole stoßen sich ab, ungleiche ziehen sich an.
B:magnete.png
Welcher Stoff hat die chemische Formel H2O?
Wasser

Wie heißt der Glaskörper, der weißes Licht in die Regenbogenfarben zerlegt?
Ein Prisma
A:prisma.png
Welches chemische Element hat das Zeichen „Au“?
Gold (von lateinisch „aurum“)

@

TH:Technik und Erfindungen
Welches Gerät zeigt mit seiner Nadel nach Norden?
Der Kompass

Warum leuchtet die Lampe in diesem Stromkreis nicht?
Der Schalter ist offen – der Stromkreis ist unterbrochen.
stromkreis.png
JOKER
Volltreffer – die Punkte gehören euch!

Welche Erfindung machte Johannes Gutenberg um 1450 in Mainz?
Den Buchdruck mit beweglichen Lettern

Wer erhielt 1886 das Patent auf einen Motorwagen mit Benzinmotor, der als erstes modernes Auto gilt?
Carl Benz

@
