/ Ein eingebettetes Bild
TH:Tiere
RISIKO:Was zeigt das Bild?
AL:Antwort 0
B:iVBORw0KGgoAAAANSUhEUgAAAAkAAAAJCAIAAABv85FHAAABB0lEQVR42gH8AAP/AKVNyhglMLsdbRMs3tYjey7ZHj9yH8sZcRdElADWSTydXDRgvjEgHmn+2qDu6LmZf1x8KZn9r+UAkyU81lSvTfrXFCegrrP+6SMvivIhH57kkcWxAAvstVY7/B5vk0J+y8j+KVXlzY5G3I7Ut8J2TQAqWk12dwb4XYaQAkrWvaNAG+nIy8zJNfbNH2EAImrhUziuGjQATTO6DSRqwEyBsbryPjv57vX3AJ8rSTSvh/VSC2m5Sw2YLoW7VbZyqHJjes10ZgD8tg4Oj/GEY7DksropcDR08GSsaPcA9bArPcYAZvRb3qosyu3NK1FXQQ5N7krys09DCgc0R95jBv95DA/q3jwAAAAASUVORK5CYII=
JOKER
AL:Antwort 1

AL:Links?
AL:Antwort 2

Frage
AL:Antwort 3

Noch eine Frage
AL:Antwort 4

@
TH:Städte
RISIKO:Was zeigt das Bild?
AL:Antwort 0

JOKER
AL:Antwort 1

AL:Links?
AL:Antwort 2
A:iVBORw0KGgoAAAANSUhEUgAAAAkAAAAJCAIAAABv85FHAAABB0lEQVR42gH8AAP/AKVNyhglMLsdbRMs3tYjey7ZHj9yH8sZcRdElADWSTydXDRgvjEgHmn+2qDu6LmZf1x8KZn9r+UAkyU81lSvTfrXFCegrrP+6SMvivIhH57kkcWxAAvstVY7/B5vk0J+y8j+KVXlzY5G3I7Ut8J2TQAqWk12dwb4XYaQAkrWvaNAG+nIy8zJNfbNH2EAImrhUziuGjQATTO6DSRqwEyBsbryPjv57vX3AJ8rSTSvh/VSC2m5Sw2YLoW7VbZyqHJjes10ZgD8tg4Oj/GEY7DksropcDR08GSsaPcA9bArPcYAZvRb3qosyu3NK1FXQQ5N7krys09DCgc0R95jBv95DA/q3jwAAAAASUVORK5CYII=
Frage
AL:Antwort 3

Noch eine Frage
AL:Antwort 4

@
TH:Sport
RISIKO:Was zeigt das Bild?
AL:Antwort 0

JOKER
AL:Antwort 1

AL:Links?
AL:Antwort 2

Frage
AL:Antwort 3

Noch eine Frage
AL:Antwort 4

@
TH:Musik
RISIKO:Was zeigt das Bild?
AL:Antwort 0

JOKER
AL:Antwort 1

AL:Links?
AL:Antwort 2

Frage
AL:Antwort 3

Noch eine Frage
AL:Antwort 4

@
