/ Wandquiz-Wand: Sprache und Literatur – Sprichwörter, Grammatik, Märchen und Schrift
/ Autor: Wandquiz-Team

TH:Sprichwörter
Ergänze das Sprichwort:|„Wer andern eine Grube gräbt, …“
„… fällt selbst hinein.“

Ergänze das Sprichwort:|„Morgenstund hat …“
„… Gold im Mund.“

Ergänze das Sprichwort:|„Der Apfel fällt nicht weit …“
„… vom Stamm.“

Ergänze das Sprichwort:|„Wer den Pfennig nicht ehrt, …“
„… ist des Talers nicht wert.“

Was bedeutet die Redewendung|„Tomaten auf den Augen haben“?
Etwas Offensichtliches nicht sehen oder nicht bemerken

@

TH:Rund um die Sprache
Wie viele Buchstaben hat das Alphabet, wenn man Ä, Ö, Ü und ß nicht mitzählt?
26

Wie heißt die Mehrzahl von „das Museum“?
Die Museen

JOKER
Gut gewählt – die Punkte gehören euch!

Was ist ein Palindrom?
Ein Wort (oder ein Satz), das vorwärts und rückwärts|gelesen gleich ist – zum Beispiel „Otto“ oder „Rentner“

AL:In welchem Satz steht das Verb im Präteritum?|A) Ich laufe nach Hause.|B) Ich lief nach Hause.|C) Ich bin nach Hause gelaufen.
B) „Ich lief nach Hause.“

@

TH:Märchen und Bücher
In welchem Märchen frisst der Wolf die Großmutter?
Rotkäppchen

Wie viele Zwerge kommen im Märchen „Schneewittchen“ vor?
Sieben

Welche zwei Brüder sammelten viele bekannte deutsche Märchen?
Jacob und Wilhelm Grimm (die Brüder Grimm)

Wer schrieb das Buch „Die unendliche Geschichte“?
Michael Ende

Von welchem Dichter stammt das Drama „Wilhelm Tell“?
Friedrich Schiller

@

TH:Zeichen und Schrift
Welches Tier versteckt sich in diesem Buchstabensalat?
Der Elefant
buchstabensalat.png
Wie heißt dieses Satzzeichen?
Semikolon (Strichpunkt)
B:semikolon.png
Was bedeuten diese Morsezeichen?
SOS – das internationale Notsignal|(drei kurz, drei lang, drei kurz)
morsezeichen.png
Wie heißt die Punktschrift, die blinde Menschen mit den Fingern lesen?
Die Brailleschrift (Blindenschrift),|benannt nach Louis Braille
A:brailleschrift.png
RISIKO:Welcher Buchstabe kommt in deutschen Texten am häufigsten vor?
Das E

@
