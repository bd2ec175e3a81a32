TH:A
q
a
p
@
TH:a
RISIKO :x
AL :y

@
TH:A
-
/
JOKR
x
y.png
@
TH:B
@
