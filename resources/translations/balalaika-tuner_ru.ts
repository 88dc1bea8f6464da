<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="TuningFreeTitle">
        <source>Prima balalaika</source>
        <translation>Балалайка прима</translation>
    </message>
    <message id="TuningFreeTitle2">
        <source>Secunda balalaika</source>
        <translation>Балалайка секунда</translation>
    </message>
    <message id="TuningFreeTitle3">
        <source>Alto balalaika</source>
        <translation>Балалайка альт</translation>
    </message>
    <message id="TuningFreeTitle4">
        <source>Bass balalaika</source>
        <translation>Балалайка бас</translation>
    </message>
    <message id="TuningFreeTitle5">
        <source>Contrabass balalaika</source>
        <translation>Балалайка контрабас</translation>
    </message>
    <message id="TunerAboutCongratsMessage">
        <source>Congratulations on choosing the balalaika!</source>
        <translation>Поздравляем с выбором балалайки!</translation>
    </message>
    <message id="TunerAboutMsg2">
        <source>Pluck one string at a time and tune it until the lamp turns green.</source>
        <translation>Щипайте по одной струне и подстраивайте её, пока лампа не станет зелёной.</translation>
    </message>
    <message id="RatingPromptLocalizable:Rate Title">
        <source>Rate %@</source>
        <translation>Оценить %@</translation>
    </message>
    <message id="RatingPromptLocalizable:If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks for your support!">
        <source>If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks for your support!</source>
        <translation>Если вам нравится %@, не могли бы вы оценить приложение? Это займёт не больше минуты. Спасибо за поддержку!</translation>
    </message>
    <message id="RatingPromptLocalizable:Rate %@">
        <source>Rate %@</source>
        <translation>Оценить %@</translation>
    </message>
    <message id="RatingPromptLocalizable:Remind me later">
        <source>Remind me later</source>
        <translation>Напомнить позже</translation>
    </message>
    <message id="RatingPromptLocalizable:No, Thanks">
        <source>No, Thanks</source>
        <translation>Нет, спасибо</translation>
    </message>
</context>
</TS>
