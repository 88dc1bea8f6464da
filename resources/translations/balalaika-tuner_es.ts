<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="TuningFreeTitle">
        <source>Prima balalaika</source>
        <translation>Balalaika prima</translation>
    </message>
    <message id="TuningFreeTitle2">
        <source>Secunda balalaika</source>
        <translation>Balalaika secunda</translation>
    </message>
    <message id="TuningFreeTitle3">
        <source>Alto balalaika</source>
        <translation>Balalaika alto</translation>
    </message>
    <message id="TuningFreeTitle4">
        <source>Bass balalaika</source>
        <translation>Balalaika bajo</translation>
    </message>
    <message id="TuningFreeTitle5">
        <source>Contrabass balalaika</source>
        <translation>Balalaika contrabajo</translation>
    </message>
    <message id="TunerAboutCongratsMessage">
        <source>Congratulations on choosing the balalaika!</source>
        <translation>¡Enhorabuena por elegir la balalaika!</translation>
    </message>
    <message id="TunerAboutMsg2">
        <source>Pluck one string at a time and tune it until the lamp turns green.</source>
        <translation>Pulsa una cuerda cada vez y afínala hasta que la luz se ponga verde.</translation>
    </message>
    <message id="RatingPromptLocalizable:Rate Title">
        <source>Rate %@</source>
        <translation>Valorar %@</translation>
    </message>
    <message id="RatingPromptLocalizable:If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks for your support!">
        <source>If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks for your support!</source>
        <translation>Si te gusta usar %@, ¿te importaría dedicar un momento a valorarla? No te llevará más de un minuto. ¡Gracias por tu apoyo!</translation>
    </message>
    <message id="RatingPromptLocalizable:Rate %@">
        <source>Rate %@</source>
        <translation>Valorar %@</translation>
    </message>
    <message id="RatingPromptLocalizable:Remind me later">
        <source>Remind me later</source>
        <translation>Recordármelo más tarde</translation>
    </message>
    <message id="RatingPromptLocalizable:No, Thanks">
        <source>No, Thanks</source>
        <translation>No, gracias</translation>
    </message>
</context>
</TS>
