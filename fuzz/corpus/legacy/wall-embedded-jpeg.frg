TH:Bilder
Frage 0
Antwort 0
bild0.png
Frage 1
Antwort 1
B:/9j/4AAQSkZJRgABAQEAZABkAAD/2wBDABsSFBcUERsXFhceHBsgKEIrKCUlKFE6PTBCYFVlZF9VXVtqeJmBanGQc1tdhbWGkJ6jq62rZ4C8ybqmx5moq6T/2wBDARweHigjKE4rK06kbl1upKSkpKSkpKSkpKSkpKSkpKSkpKSkpKSkpKSkpKSkpKSkpKSkpKSkpKSkpKSkpKSkpKT/wAARCAAQABgDASIAAhEBAxEB/8QAHwAAAQUBAQEBAQEAAAAAAAAAAAECAwQFBgcICQoL/8QAtRAAAgEDAwIEAwUFBAQAAAF9AQIDAAQRBRIhMUEGE1FhByJxFDKBkaEII0KxwRVS0fAkM2JyggkKFhcYGRolJicoKSo0NTY3ODk6Q0RFRkdISUpTVFVWV1hZWmNkZWZnaGlqc3R1dnd4eXqDhIWGh4iJipKTlJWWl5iZmqKjpKWmp6ipqrKztLW2t7i5usLDxMXGx8jJytLT1NXW19jZ2uHi4+Tl5ufo6erx8vP09fb3+Pn6/8QAHwEAAwEBAQEBAQEBAQAAAAAAAAECAwQFBgcICQoL/8QAtREAAgECBAQDBAcFBAQAAQJ3AAECAxEEBSExBhJBUQdhcRMiMoEIFEKRobHBCSMzUvAVYnLRChYkNOEl8RcYGRomJygpKjU2Nzg5OkNERUZHSElKU1RVVldYWVpjZGVmZ2hpanN0dXZ3eHl6goOEhYaHiImKkpOUlZaXmJmaoqOkpaanqKmqsrO0tba3uLm6wsPExcbHyMnK0tPU1dbX2Nna4uPk5ebn6Onq8vP09fb3+Pn6/9oADAMBAAIRAxEAPwDQ1S+GkND5UW6OTdmMEKoxjpxx1+nXjnNS6Rqn9p+b+58ry8fxbs5z7e1WLuxtr3Z9pj37M7fmIxn6fSmQaXZ224wReWx/jBJI+mf8mtr0vZWt7wXberLlFQeY8PE/KdpB/wCzDHH16fTpRWF0VyPof//Z
Frage 2
Antwort 2
bild2.png
Frage 3
Antwort 3
bild3.png
Frage 4
Antwort 4
bild4.png
@
TH:Zwei
Frage 0
Antwort 0
bild0.png
Frage 1
Antwort 1
bild1.png
Frage 2
Antwort 2
bild2.png
Frage 3
Antwort 3
bild3.png
Frage 4
Antwort 4
bild4.png
@
TH:Drei
Frage 0
Antwort 0
bild0.png
Frage 1
Antwort 1
bild1.png
Frage 2
Antwort 2
bild2.png
Frage 3
Antwort 3
bild3.png
Frage 4
Antwort 4
bild4.png
@
TH:Vier
Frage 0
Antwort 0
bild0.png
Frage 1
Antwort 1
bild1.png
Frage 2
Antwort 2
bild2.png
Frage 3
Antwort 3
bild3.png
Frage 4
Antwort 4
bild4.png
@
