<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="TuningFreeTitle">
        <location filename="TextIds.cpp" line="12"/>
        <source>Prima balalaika</source>
        <translation>Балалайка прима</translation>
    </message>
    <message id="TuningFreeTitle2">
        <location filename="TextIds.cpp" line="14"/>
        <source>Secunda balalaika</source>
        <translation>Балалайка секунда</translation>
    </message>
    <message id="TuningFreeTitle3">
        <location filename="TextIds.cpp" line="16"/>
        <source>Alto balalaika</source>
        <translation>Балалайка альт</translation>
    </message>
    <message id="TuningFreeTitle4">
        <location filename="TextIds.cpp" line="18"/>
        <source>Bass balalaika</source>
        <translation>Балалайка бас</translation>
    </message>
    <message id="TuningFreeTitle5">
        <location filename="TextIds.cpp" line="20"/>
        <source>Contrabass balalaika</source>
        <translation>Балалайка контрабас</translation>
    </message>
    <message id="TunerAboutCongratsMessage">
        <location filename="TextIds.cpp" line="22"/>
        <source>Congratulations on choosing the balalaika!</source>
        <translation>Поздравляем с выбором балалайки!</translation>
    </message>
    <message id="TunerAboutMsg2">
        <location filename="TextIds.cpp" line="24"/>
        <source>Pluck one string at a time and tune it until the lamp turns green.</source>
        <translation>Щипайте по одной струне и подстраивайте её, пока лампа не станет зелёной.</translation>
    </message>
    <message id="RatingPromptLocalizable:Rate Title">
        <location filename="TextIds.cpp" line="26"/>
        <source>Rate %@</source>
        <translation>Оценить %@</translation>
    </message>
    <message id="RatingPromptLocalizable:If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks for your support!">
        <location filename="TextIds.cpp" line="31"/>
        <source>If you enjoy using %@, would you mind taking a moment to rate it? It won&apos;t take more than a minute. Thanks for your support!</source>
        <translation>Если вам нравится %@, не могли бы вы оценить приложение? Это займёт не больше минуты. Спасибо за поддержку!</translation>
    </message>
    <message id="RatingPromptLocalizable:Rate %@">
        <location filename="TextIds.cpp" line="34"/>
        <source>Rate %@</source>
        <translation>Оценить %@</translation>
    </message>
    <message id="RatingPromptLocalizable:Remind me later">
        <location filename="TextIds.cpp" line="36"/>
        <source>Remind me later</source>
        <translation>Напомнить позже</translation>
    </message>
    <message id="RatingPromptLocalizable:No, Thanks">
        <location filename="TextIds.cpp" line="38"/>
        <source>No, Thanks</source>
        <translation>Нет, спасибо</translation>
    </message>
    <message id="CentsFarFlat">
        <location filename="TextIds.cpp" line="40"/>
        <source>far flat</source>
        <translation>сильно ниже</translation>
    </message>
    <message id="CentsFarSharp">
        <location filename="TextIds.cpp" line="42"/>
        <source>far sharp</source>
        <translation>сильно выше</translation>
    </message>
    <message id="CentsTuneUp">
        <location filename="TextIds.cpp" line="44"/>
        <source>tune up</source>
        <translation>повысьте</translation>
    </message>
    <message id="CentsTuneDown">
        <location filename="TextIds.cpp" line="46"/>
        <source>tune down</source>
        <translation>понизьте</translation>
    </message>
    <message id="LinkWebsite">
        <location filename="TextIds.cpp" line="48"/>
        <source>Website</source>
        <translation>Сайт</translation>
    </message>
    <message id="LinkRateThisApp">
        <location filename="TextIds.cpp" line="50"/>
        <source>Rate this app</source>
        <translation>Оценить</translation>
    </message>
    <message id="LinkMoreApps">
        <location filename="TextIds.cpp" line="52"/>
        <source>More apps…</source>
        <translation>Другие приложения…</translation>
    </message>
    <message id="PreciseEstimator">
        <location filename="TextIds.cpp" line="54"/>
        <source>Precise pitch (no octave jumps)</source>
        <translation>Точная высота (без ошибок в октаву)</translation>
    </message>
    <message id="ConcertPitchLabel">
        <location filename="TextIds.cpp" line="56"/>
        <source>A4 = %@ Hz</source>
        <translation>A4 = %@ Гц</translation>
    </message>
    <message id="LockedString">
        <location filename="TextIds.cpp" line="58"/>
        <source>Locked: %@</source>
        <translation>Закреплена: %@</translation>
    </message>
    <message id="ListeningForA">
        <location filename="TextIds.cpp" line="60"/>
        <source>Play an A and hold it…</source>
        <translation>Сыграйте ля и держите…</translation>
    </message>
    <message id="NoSteadyA">
        <location filename="TextIds.cpp" line="62"/>
        <source>no steady A heard</source>
        <translation>ровное ля не услышано</translation>
    </message>
    <message id="HeardA">
        <location filename="TextIds.cpp" line="64"/>
        <source>A4 set to %@ Hz</source>
        <translation>A4 установлено: %@ Гц</translation>
    </message>
    <message id="UnisonPluckString2">
        <location filename="TextIds.cpp" line="66"/>
        <source>Unison: pluck string 2</source>
        <translation>Унисон: защипните струну 2</translation>
    </message>
    <message id="UnisonPluckString3">
        <location filename="TextIds.cpp" line="68"/>
        <source>Now pluck string 3</source>
        <translation>Теперь защипните струну 3</translation>
    </message>
    <message id="UnisonGap">
        <location filename="TextIds.cpp" line="70"/>
        <source>%@ ¢ apart</source>
        <translation>разница %@ ¢</translation>
    </message>
    <message id="UnisonBeats">
        <location filename="TextIds.cpp" line="72"/>
        <source>%@ beats/s</source>
        <translation>%@ биений/с</translation>
    </message>
    <message id="UnisonInUnison">
        <location filename="TextIds.cpp" line="74"/>
        <source>in unison</source>
        <translation>в унисон</translation>
    </message>
    <message id="UnisonCheck">
        <location filename="TextIds.cpp" line="76"/>
        <source>Check unison</source>
        <translation>Проверить унисон</translation>
    </message>
    <message id="UnisonCancel">
        <location filename="TextIds.cpp" line="78"/>
        <source>Stop the check</source>
        <translation>Остановить проверку</translation>
    </message>
    <message id="ListenForA">
        <location filename="TextIds.cpp" line="80"/>
        <source>Hear A</source>
        <translation>Слушать ля</translation>
    </message>
    <message id="PreciseShort">
        <location filename="TextIds.cpp" line="82"/>
        <source>Precise</source>
        <translation>Точно</translation>
    </message>
    <message id="WebTapToStart">
        <source>Tap to start listening</source>
        <translation>Нажмите, чтобы начать слушать</translation>
    </message>
    <message id="WebListenToDemo">
        <source>Listen to the demo recording</source>
        <translation>Слушать демонстрационную запись</translation>
    </message>
    <message id="WebPermissionDenied">
        <source>The microphone is not allowed for this page. Allow it in the browser&apos;s site settings and tap again.</source>
        <translation>Этой странице не разрешено использовать микрофон. Разрешите его в настройках сайта в браузере и нажмите снова.</translation>
    </message>
    <message id="WebNoMicrophone">
        <source>No microphone was found.</source>
        <translation>Микрофон не найден.</translation>
    </message>
    <message id="WebInsecure">
        <source>This page was not opened over HTTPS, so the browser offers it no microphone.</source>
        <translation>Страница открыта не по HTTPS, поэтому браузер не даёт ей микрофон.</translation>
    </message>
    <message id="WebInterrupted">
        <source>Listening was interrupted (a call, or the page in the background). Tap to listen again.</source>
        <translation>Прослушивание прервано (звонок или страница в фоне). Нажмите, чтобы слушать снова.</translation>
    </message>
    <message id="WebAudioFailed">
        <source>The audio could not be started.</source>
        <translation>Не удалось запустить звук.</translation>
    </message>
    <message id="WebSettingsIgnored">
        <source>The browser keeps some voice processing on: %@</source>
        <translation>Браузер оставил включённой часть обработки голоса: %@</translation>
    </message>
    <message id="WebListeningToDemo">
        <source>Listening to the demo recording</source>
        <translation>Звучит демонстрационная запись</translation>
    </message>
</context>
</TS>
