TH:A
F
A

@
TH:B
@
TH:C
@
TH:D
Frage ohne Antwort
