<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="TuningFreeTitle">
        <location filename="TextIds.cpp" line="12"/>
        <source>Prima balalaika</source>
        <translation>Balalaika prima</translation>
    </message>
    <message id="TuningFreeTitle2">
        <location filename="TextIds.cpp" line="14"/>
        <source>Secunda balalaika</source>
        <translation>Balalaika secunda</translation>
    </message>
    <message id="TuningFreeTitle3">
        <location filename="TextIds.cpp" line="16"/>
        <source>Alto balalaika</source>
        <translation>Balalaika alto</translation>
    </message>
    <message id="TuningFreeTitle4">
        <location filename="TextIds.cpp" line="18"/>
        <source>Bass balalaika</source>
        <translation>Balalaika bajo</translation>
    </message>
    <message id="TuningFreeTitle5">
        <location filename="TextIds.cpp" line="20"/>
        <source>Contrabass balalaika</source>
        <translation>Balalaika contrabajo</translation>
    </message>
    <message id="TunerAboutCongratsMessage">
        <location filename="TextIds.cpp" line="22"/>
        <source>Congratulations on choosing the balalaika!</source>
        <translation>¡Enhorabuena por elegir la balalaika!</translation>
    </message>
    <message id="TunerAboutMsg2">
        <location filename="TextIds.cpp" line="24"/>
        <source>Pluck one string at a time and tune it until the lamp turns green.</source>
        <translation>Pulsa una cuerda cada vez y afínala hasta que la luz se ponga verde.</translation>
    </message>
    <message id="RatingPromptLocalizable:Rate Title">
        <location filename="TextIds.cpp" line="26"/>
        <source>Rate %@</source>
        <translation>Valorar %@</translation>
    </message>
    <message id="RatingPromptLocalizable:If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks for your support!">
        <location filename="TextIds.cpp" line="31"/>
        <source>If you enjoy using %@, would you mind taking a moment to rate it? It won&apos;t take more than a minute. Thanks for your support!</source>
        <translation>Si te gusta usar %@, ¿te importaría dedicar un momento a valorarla? No te llevará más de un minuto. ¡Gracias por tu apoyo!</translation>
    </message>
    <message id="RatingPromptLocalizable:Rate %@">
        <location filename="TextIds.cpp" line="34"/>
        <source>Rate %@</source>
        <translation>Valorar %@</translation>
    </message>
    <message id="RatingPromptLocalizable:Remind me later">
        <location filename="TextIds.cpp" line="36"/>
        <source>Remind me later</source>
        <translation>Recordármelo más tarde</translation>
    </message>
    <message id="RatingPromptLocalizable:No, Thanks">
        <location filename="TextIds.cpp" line="38"/>
        <source>No, Thanks</source>
        <translation>No, gracias</translation>
    </message>
    <message id="CentsFarFlat">
        <location filename="TextIds.cpp" line="40"/>
        <source>far flat</source>
        <translation>muy grave</translation>
    </message>
    <message id="CentsFarSharp">
        <location filename="TextIds.cpp" line="42"/>
        <source>far sharp</source>
        <translation>muy agudo</translation>
    </message>
    <message id="CentsTuneUp">
        <location filename="TextIds.cpp" line="44"/>
        <source>tune up</source>
        <translation>sube el tono</translation>
    </message>
    <message id="CentsTuneDown">
        <location filename="TextIds.cpp" line="46"/>
        <source>tune down</source>
        <translation>baja el tono</translation>
    </message>
    <message id="LinkWebsite">
        <location filename="TextIds.cpp" line="48"/>
        <source>Website</source>
        <translation>Sitio web</translation>
    </message>
    <message id="LinkRateThisApp">
        <location filename="TextIds.cpp" line="50"/>
        <source>Rate this app</source>
        <translation>Valorar la app</translation>
    </message>
    <message id="LinkMoreApps">
        <location filename="TextIds.cpp" line="52"/>
        <source>More apps…</source>
        <translation>Más apps…</translation>
    </message>
    <message id="PreciseEstimator">
        <location filename="TextIds.cpp" line="54"/>
        <source>Precise pitch (no octave jumps)</source>
        <translation>Tono preciso (sin saltos de octava)</translation>
    </message>
    <message id="ConcertPitchLabel">
        <location filename="TextIds.cpp" line="56"/>
        <source>A4 = %@ Hz</source>
        <translation>A4 = %@ Hz</translation>
    </message>
    <message id="LockedString">
        <location filename="TextIds.cpp" line="58"/>
        <source>Locked: %@</source>
        <translation>Fijada: %@</translation>
    </message>
    <message id="ListeningForA">
        <location filename="TextIds.cpp" line="60"/>
        <source>Play an A and hold it…</source>
        <translation>Toca un La y mantenlo…</translation>
    </message>
    <message id="NoSteadyA">
        <location filename="TextIds.cpp" line="62"/>
        <source>no steady A heard</source>
        <translation>no se oyó un La estable</translation>
    </message>
    <message id="HeardA">
        <location filename="TextIds.cpp" line="64"/>
        <source>A4 set to %@ Hz</source>
        <translation>A4 fijado en %@ Hz</translation>
    </message>
    <message id="UnisonPluckString2">
        <location filename="TextIds.cpp" line="66"/>
        <source>Unison: pluck string 2</source>
        <translation>Unísono: pulsa la cuerda 2</translation>
    </message>
    <message id="UnisonPluckString3">
        <location filename="TextIds.cpp" line="68"/>
        <source>Now pluck string 3</source>
        <translation>Ahora pulsa la cuerda 3</translation>
    </message>
    <message id="UnisonGap">
        <location filename="TextIds.cpp" line="70"/>
        <source>%@ ¢ apart</source>
        <translation>%@ ¢ de diferencia</translation>
    </message>
    <message id="UnisonBeats">
        <location filename="TextIds.cpp" line="72"/>
        <source>%@ beats/s</source>
        <translation>%@ batidos/s</translation>
    </message>
    <message id="UnisonInUnison">
        <location filename="TextIds.cpp" line="74"/>
        <source>in unison</source>
        <translation>al unísono</translation>
    </message>
    <message id="UnisonCheck">
        <location filename="TextIds.cpp" line="76"/>
        <source>Check unison</source>
        <translation>Comprobar unísono</translation>
    </message>
    <message id="UnisonCancel">
        <location filename="TextIds.cpp" line="78"/>
        <source>Stop the check</source>
        <translation>Parar la prueba</translation>
    </message>
    <message id="ListenForA">
        <location filename="TextIds.cpp" line="80"/>
        <source>Hear A</source>
        <translation>Oír La</translation>
    </message>
    <message id="PreciseShort">
        <location filename="TextIds.cpp" line="82"/>
        <source>Precise</source>
        <translation>Preciso</translation>
    </message>
    <message id="WebTapToStart">
        <source>Tap to start listening</source>
        <translation>Toca para empezar a escuchar</translation>
    </message>
    <message id="WebListenToDemo">
        <source>Listen to the demo recording</source>
        <translation>Escuchar la grabación de demostración</translation>
    </message>
    <message id="WebPermissionDenied">
        <source>The microphone is not allowed for this page. Allow it in the browser&apos;s site settings and tap again.</source>
        <translation>Esta página no tiene permiso para usar el micrófono. Permítelo en los ajustes del sitio del navegador y vuelve a tocar.</translation>
    </message>
    <message id="WebNoMicrophone">
        <source>No microphone was found.</source>
        <translation>No se encontró ningún micrófono.</translation>
    </message>
    <message id="WebInsecure">
        <source>This page was not opened over HTTPS, so the browser offers it no microphone.</source>
        <translation>Esta página no se abrió por HTTPS, así que el navegador no le ofrece micrófono.</translation>
    </message>
    <message id="WebInterrupted">
        <source>Listening was interrupted (a call, or the page in the background). Tap to listen again.</source>
        <translation>La escucha se interrumpió (una llamada o la página en segundo plano). Toca para volver a escuchar.</translation>
    </message>
    <message id="WebAudioFailed">
        <source>The audio could not be started.</source>
        <translation>No se pudo iniciar el audio.</translation>
    </message>
    <message id="WebSettingsIgnored">
        <source>The browser keeps some voice processing on: %@</source>
        <translation>El navegador mantiene activo parte del procesado de voz: %@</translation>
    </message>
    <message id="WebListeningToDemo">
        <source>Listening to the demo recording</source>
        <translation>Escuchando la grabación de demostración</translation>
    </message>
</context>
</TS>
