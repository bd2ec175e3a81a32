TH:Größe €
Risiko: Wie groß?
1 m

@
TH:größe €
  JOKER!
ja
a:bild.png
@
th:x
TH:Größe €
@
TH:
@
