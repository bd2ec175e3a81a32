Th:
Th:

Th:
@
Th: