/ Lange Texte, damit das Paket sie gepackt speichert
TH:Tiere
Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 0
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 1
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 2
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 3
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 4
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

@
TH:Städte
Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 0
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 1
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 2
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 3
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 4
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

@
TH:Sport
Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 0
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 1
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 2
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 3
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 4
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

@
TH:Musik
Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 0
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 1
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 2
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 3
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? Welches Tier ist das größte Säugetier der Erde, das im Meer lebt und sich von Krill ernährt? 4
Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal Der Blauwal 

@
