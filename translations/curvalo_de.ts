<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>TAddMeasurementCommand</name>
    <message>
        <source>Add Measurement</source>
        <translation>Messung hinzufügen</translation>
    </message>
</context>
<context>
    <name>TApplyFitCommand</name>
    <message>
        <source>Apply Fitted Parameters</source>
        <translation>Angepasste Parameter übernehmen</translation>
    </message>
</context>
<context>
    <name>TChangeModelCommand</name>
    <message>
        <source>Change Deflection Model</source>
        <translation>Biegemodell ändern</translation>
    </message>
</context>
<context>
    <name>TCompareModelsDialog</name>
    <message>
        <source>Compare Models</source>
        <translation>Modelle vergleichen</translation>
    </message>
    <message>
        <source>Each model fitted to the same measured lengths, from the parameters it has in this test.</source>
        <translation>Jedes Modell an dieselben gemessenen Längen angepasst, ausgehend von den Parametern, die es in dieser Prüfung hat.</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>Residual RMS (µm)</source>
        <translation>Residuen-RMS (µm)</translation>
    </message>
    <message>
        <source>Largest residual (µm)</source>
        <translation>Größtes Residuum (µm)</translation>
    </message>
    <message>
        <source>Free parameters</source>
        <translation>Freie Parameter</translation>
    </message>
    <message>
        <source>BIC</source>
        <translation>BIC</translation>
    </message>
    <message>
        <source>Poorly determined</source>
        <translation>Schlecht bestimmt</translation>
    </message>
    <message>
        <source>Down to the noise</source>
        <translation>Bis aufs Rauschen</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Bestes</translation>
    </message>
    <message>
        <source>Apply Model</source>
        <translation>Modell übernehmen</translation>
    </message>
    <message>
        <source>Chooses the selected model with its fitted parameters, as one step that Undo takes back</source>
        <translation>Wählt das ausgewählte Modell mit seinen angepassten Parametern, als ein Schritt, den Rückgängig zurücknimmt</translation>
    </message>
    <message>
        <source>Fitting the models…</source>
        <translation>Die Modelle werden angepasst…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The comparison was cancelled.</source>
        <translation>Der Vergleich wurde abgebrochen.</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>best</source>
        <translation>bestes</translation>
    </message>
    <message>
        <source>Repeatability (pooled standard deviation of the repeated measurements): %1 µm. A model whose residual RMS is within 25 % of it explains the data down to the noise.</source>
        <translation>Wiederholbarkeit (gepoolte Standardabweichung der wiederholten Messungen): %1 µm. Ein Modell, dessen Residuen-RMS höchstens 25 % darüber liegt, erklärt die Daten bis aufs Rauschen.</translation>
    </message>
    <message>
        <source>No gauge was measured twice, so there is no repeatability to hold the models against.</source>
        <translation>Kein Prüfkörper wurde zweimal gemessen, daher gibt es keine Wiederholbarkeit, an der die Modelle zu messen wären.</translation>
    </message>
    <message>
        <source>BIC = n ln(RSS/n) + k ln(n) charges every free parameter; the lowest is best.</source>
        <translation>BIC = n ln(RSS/n) + k ln(n) rechnet jeden freien Parameter an; der niedrigste ist der beste.</translation>
    </message>
</context>
<context>
    <name>TConformance</name>
    <message>
        <source>ISO 14253-1, conformance zone: a result passes when |E| + U ≤ MPE and fails when |E| − U &gt; MPE</source>
        <translation>ISO 14253-1, Übereinstimmungsbereich: ein Ergebnis besteht, wenn |E| + U ≤ MPE, und besteht nicht, wenn |E| − U &gt; MPE</translation>
    </message>
    <message>
        <source>simple acceptance: a result passes when |E| ≤ MPE</source>
        <translation>einfache Annahme: ein Ergebnis besteht, wenn |E| ≤ MPE</translation>
    </message>
    <message>
        <source>the MPE and R0</source>
        <translation>der MPE und R0</translation>
    </message>
    <message>
        <source>the MPE</source>
        <translation>der MPE</translation>
    </message>
    <message>
        <source>The test shows conformance with %1.</source>
        <translation>Die Prüfung zeigt Übereinstimmung mit %1.</translation>
    </message>
    <message>
        <source>The test does not show conformance with %1.</source>
        <translation>Die Prüfung zeigt keine Übereinstimmung mit %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n result(s) fail, more than %1 may be retested</source>
        <translation>
            <numerusform>%n Ergebnis besteht nicht, mehr als %1 dürfen nicht wiederholt werden</numerusform>
            <numerusform>%n Ergebnisse bestehen nicht, mehr als %1 dürfen nicht wiederholt werden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n result(s) failed a retest</source>
        <translation>
            <numerusform>%n Ergebnis hat eine Wiederholung nicht bestanden</numerusform>
            <numerusform>%n Ergebnisse haben eine Wiederholung nicht bestanden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n range(s) exceed R0</source>
        <translation>
            <numerusform>%n Spannweite überschreitet R0</numerusform>
            <numerusform>%n Spannweiten überschreiten R0</numerusform>
        </translation>
    </message>
    <message>
        <source>Conformance with %1 is not decided yet.</source>
        <translation>Die Übereinstimmung mit %1 ist noch nicht entschieden.</translation>
    </message>
    <message numerus="yes">
        <source>%n result(s) need retests (Id %1)</source>
        <translation>
            <numerusform>%n Ergebnis braucht Wiederholungen (Id %1)</numerusform>
            <numerusform>%n Ergebnisse brauchen Wiederholungen (Id %1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n result(s) undecided within the test uncertainty</source>
        <translation>
            <numerusform>%n Ergebnis innerhalb der Prüfunsicherheit unentschieden</numerusform>
            <numerusform>%n Ergebnisse innerhalb der Prüfunsicherheit unentschieden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n measurement(s) not measured yet</source>
        <translation>
            <numerusform>%n Messung noch nicht gemessen</numerusform>
            <numerusform>%n Messungen noch nicht gemessen</numerusform>
        </translation>
    </message>
    <message>
        <source>Measured: %1 pass, %2 fail, %3 undecided.</source>
        <translation>Gemessen: %1 bestanden, %2 nicht bestanden, %3 unentschieden.</translation>
    </message>
    <message numerus="yes">
        <source>Retests passed (%n result(s), %1 retests).</source>
        <translation>
            <numerusform>Wiederholungen bestanden (%n Ergebnis, %1 Wiederholungen).</numerusform>
            <numerusform>Wiederholungen bestanden (%n Ergebnisse, %1 Wiederholungen).</numerusform>
        </translation>
    </message>
    <message>
        <source>Largest measured error %1 µm (Id %2), %3 % of the MPE (Id %4).</source>
        <translation>Größte gemessene Abweichung %1 µm (Id %2), %3 % der MPE (Id %4).</translation>
    </message>
    <message>
        <source>Largest range R %1 µm (Id %2).</source>
        <translation>Größte Spannweite R %1 µm (Id %2).</translation>
    </message>
    <message>
        <source>Not judged: no MPE is set.</source>
        <translation>Nicht beurteilt: keine MPE festgelegt.</translation>
    </message>
    <message>
        <source>Largest measured error %1 µm (Id %2).</source>
        <translation>Größte gemessene Abweichung %1 µm (Id %2).</translation>
    </message>
</context>
<context>
    <name>TCurvalo</name>
    <message>
        <source>Corrections drawn exaggerated; lengths are not.</source>
        <translation>Korrekturen überhöht gezeichnet, Längen nicht.</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Init</source>
        <translation>Vorgaben</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
    <message>
        <source>What the drawing shows</source>
        <translation>Was die Zeichnung zeigt</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Generate Test Plan…</source>
        <translation>Prüfplan erzeugen…</translation>
    </message>
    <message>
        <source>Fit Parameters…</source>
        <translation>Parameter anpassen…</translation>
    </message>
    <message>
        <source>Export Picture…</source>
        <translation>Bild exportieren…</translation>
    </message>
    <message>
        <source>Export Report…</source>
        <translation>Bericht exportieren…</translation>
    </message>
    <message>
        <source>Print…</source>
        <translation>Drucken…</translation>
    </message>
    <message>
        <source>Print Preview…</source>
        <translation>Druckvorschau…</translation>
    </message>
    <message>
        <source>Import Measurements…</source>
        <translation>Messungen importieren…</translation>
    </message>
    <message>
        <source>Export Measurements…</source>
        <translation>Messungen exportieren…</translation>
    </message>
    <message>
        <source>Delete all measurements and set the parameters to the presets</source>
        <translation>Alle Messungen löschen und die Parameter auf die Vorgaben setzen</translation>
    </message>
    <message>
        <source>Set the parameters of the current model to its presets</source>
        <translation>Die Parameter des aktuellen Modells auf seine Vorgaben setzen</translation>
    </message>
    <message>
        <source>Changes are not saved</source>
        <translation>Änderungen sind nicht gespeichert</translation>
    </message>
    <message>
        <source>%1

Curvalo keeps trying while the window is open.</source>
        <translation>%1

Curvalo versucht es weiter, solange das Fenster offen ist.</translation>
    </message>
    <message>
        <source>Delete Measurements</source>
        <translation>Messungen löschen</translation>
    </message>
    <message>
        <source>Export Picture</source>
        <translation>Bild exportieren</translation>
    </message>
    <message>
        <source>PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)</source>
        <translation>PNG-Bild (*.png);;SVG-Zeichnung (*.svg);;PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>The picture was not exported</source>
        <translation>Das Bild wurde nicht exportiert</translation>
    </message>
    <message>
        <source>Do you want to delete all measurements and reset settings?</source>
        <translation>Wollen Sie alle Messungen löschen und die Einstellungen zurücksetzen?</translation>
    </message>
    <message>
        <source>Help - About</source>
        <translation>Hilfe - Über</translation>
    </message>
    <message>
        <source>Curvalo - Version 2.0</source>
        <translation>Curvalo - Version 2.0</translation>
    </message>
    <message>
        <source>Open Test…</source>
        <translation>Test öffnen…</translation>
    </message>
    <message>
        <source>Save Test</source>
        <translation>Test speichern</translation>
    </message>
    <message>
        <source>Save Test As…</source>
        <translation>Test speichern unter…</translation>
    </message>
    <message>
        <source>The test was not opened</source>
        <translation>Der Test wurde nicht geöffnet</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Test Details…</source>
        <translation>Angaben zum Test…</translation>
    </message>
    <message>
        <source>Compare Models…</source>
        <translation>Modelle vergleichen…</translation>
    </message>
    <message>
        <source>Generate Retests</source>
        <translation>Wiederholungen erzeugen</translation>
    </message>
</context>
<context>
    <name>TDisplayWidget</name>
    <message>
        <source>The window is too small for the drawing</source>
        <translation>Das Fenster ist zu klein für die Zeichnung</translation>
    </message>
    <message>
        <source>Y %1 mm, Z %2 mm: correction Y %3 µm, Z %4 µm</source>
        <translation>Y %1 mm, Z %2 mm: Korrektur Y %3 µm, Z %4 µm</translation>
    </message>
</context>
<context>
    <name>TEditFieldCommand</name>
    <message>
        <source>Edit Y Range</source>
        <translation>Y-Bereich bearbeiten</translation>
    </message>
    <message>
        <source>Edit Z Range</source>
        <translation>Z-Bereich bearbeiten</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>%1 bearbeiten</translation>
    </message>
</context>
<context>
    <name>TEditMeasurementCommand</name>
    <message>
        <source>Edit Measurement %1</source>
        <translation>Messung %1 bearbeiten</translation>
    </message>
    <message>
        <source>Edit Measured Length of Measurement %1</source>
        <translation>Gemessene Länge der Messung %1 bearbeiten</translation>
    </message>
</context>
<context>
    <name>TEditMeasurementsCommand</name>
    <message>
        <source>Paste Measured Lengths</source>
        <translation>Gemessene Längen einfügen</translation>
    </message>
    <message>
        <source>Update Measured Lengths</source>
        <translation>Gemessene Längen aktualisieren</translation>
    </message>
    <message>
        <source>Clear Measured Lengths</source>
        <translation>Gemessene Längen löschen</translation>
    </message>
</context>
<context>
    <name>TEditMpeCommand</name>
    <message>
        <source>Edit MPE</source>
        <translation>MPE bearbeiten</translation>
    </message>
</context>
<context>
    <name>TErrorChartPainter</name>
    <message>
        <source>simulated</source>
        <translation>simuliert</translation>
    </message>
    <message>
        <source>measured</source>
        <translation>gemessen</translation>
    </message>
    <message>
        <source>±MPE</source>
        <translation>±MPE</translation>
    </message>
    <message>
        <source>Nominal length (mm)</source>
        <translation>Nennlänge (mm)</translation>
    </message>
    <message>
        <source>Error (µm)</source>
        <translation>Abweichung (µm)</translation>
    </message>
    <message>
        <source>residual (measured − actual)</source>
        <translation>Residuum (gemessen − Ist)</translation>
    </message>
    <message>
        <source>Residual (µm)</source>
        <translation>Residuum (µm)</translation>
    </message>
</context>
<context>
    <name>TErrorChartWidget</name>
    <message>
        <source>Show Residuals</source>
        <translation>Residuen zeigen</translation>
    </message>
    <message>
        <source>residual</source>
        <translation>Residuum</translation>
    </message>
    <message>
        <source>measured error</source>
        <translation>gemessene Abweichung</translation>
    </message>
    <message>
        <source>simulated error</source>
        <translation>simulierte Abweichung</translation>
    </message>
    <message>
        <source>Id %1, %2 mm: %3 %4 µm</source>
        <translation>Id %1, %2 mm: %3 %4 µm</translation>
    </message>
</context>
<context>
    <name>TEvaluation</name>
    <message>
        <source>Diagonal +</source>
        <translation>Diagonale +</translation>
    </message>
    <message>
        <source>Diagonal −</source>
        <translation>Diagonale −</translation>
    </message>
    <message>
        <source>1 measurement, %1 measured.</source>
        <translation>1 Messung, %1 gemessen.</translation>
    </message>
    <message>
        <source>%1 measurements, %2 measured.</source>
        <translation>%1 Messungen, %2 gemessen.</translation>
    </message>
    <message>
        <source>Simulated: %1 pass, %2 fail.</source>
        <translation>Simuliert: %1 bestanden, %2 nicht bestanden.</translation>
    </message>
    <message>
        <source>Residual RMS %1 µm.</source>
        <translation>Residuen-RMS %1 µm.</translation>
    </message>
    <message>
        <source>pass</source>
        <translation>bestanden</translation>
    </message>
    <message>
        <source>fail</source>
        <translation>nicht bestanden</translation>
    </message>
    <message>
        <source>Simulated: largest error %1 µm (Id %2).</source>
        <translation>Simuliert: größte Abweichung %1 µm (Id %2).</translation>
    </message>
    <message>
        <source>Simulated: %1 pass, %2 fail, %3 undecided.</source>
        <translation>Simuliert: %1 bestanden, %2 nicht bestanden, %3 unentschieden.</translation>
    </message>
    <message>
        <source>undecided</source>
        <translation>unentschieden</translation>
    </message>
</context>
<context>
    <name>TExaggerationControl</name>
    <message>
        <source>Exaggeration:</source>
        <translation>Überhöhung:</translation>
    </message>
    <message>
        <source>How many times the corrections are enlarged in the drawing, 1 to 1000; lengths and numbers are not</source>
        <translation>Wie viele Male die Korrekturen in der Zeichnung vergrößert werden, 1 bis 1000; Längen und Zahlen nicht</translation>
    </message>
</context>
<context>
    <name>TFileWriter</name>
    <message>
        <source>it is a link to &apos;%1&apos;, which does not exist</source>
        <translation>sie ist ein Verweis auf &apos;%1&apos;, das es nicht gibt</translation>
    </message>
    <message>
        <source>the file is write-protected</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be written: %2</source>
        <translation>&apos;%1&apos; konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
</context>
<context>
    <name>TFitActions</name>
    <message>
        <source>Apply %1 Fit</source>
        <translation>Anpassung von %1 übernehmen</translation>
    </message>
</context>
<context>
    <name>TFitDialog</name>
    <message>
        <source>Fit Parameters</source>
        <translation>Parameter anpassen</translation>
    </message>
    <message>
        <source>Finds the parameters of the %1 model that explain the measured lengths.</source>
        <translation>Sucht die Parameter des Modells %1, die die gemessenen Längen erklären.</translation>
    </message>
    <message>
        <source>(no)</source>
        <translation>(kein)</translation>
    </message>
    <message>
        <source>Free parameters:</source>
        <translation>Freie Parameter:</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Vorher</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Nachher</translation>
    </message>
    <message>
        <source>Uncertainty</source>
        <translation>Unsicherheit</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>Residual before (µm)</source>
        <translation>Residuum vorher (µm)</translation>
    </message>
    <message>
        <source>Residual after (µm)</source>
        <translation>Residuum nachher (µm)</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Anpassen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>%1 of %2 measurements have a measured length.</source>
        <translation>%1 von %2 Messungen haben eine gemessene Länge.</translation>
    </message>
    <message>
        <source>Fitting the parameters…</source>
        <translation>Die Parameter werden angepasst…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Fitting the parameters… (iteration %1)</source>
        <translation>Die Parameter werden angepasst… (Iteration %1)</translation>
    </message>
    <message>
        <source>%1 measured lengths used, %2 iterations.</source>
        <translation>%1 gemessene Längen verwendet, %2 Iterationen.</translation>
    </message>
    <message>
        <source>Residual RMS %1 µm before, %2 µm after; largest residual %3 µm before, %4 µm after.</source>
        <translation>Residuen-RMS %1 µm vorher, %2 µm nachher; größtes Residuum %3 µm vorher, %4 µm nachher.</translation>
    </message>
    <message>
        <source>not determined</source>
        <translation>nicht bestimmt</translation>
    </message>
    <message>
        <source>Such parameters are held unless you tick them.</source>
        <translation>Solche Parameter werden festgehalten, solange Sie sie nicht ankreuzen.</translation>
    </message>
    <message>
        <source>Condition number %1</source>
        <translation>Konditionszahl %1</translation>
    </message>
    <message>
        <source>Condition number infinite (a direction is not determined)</source>
        <translation>Konditionszahl unendlich (eine Richtung ist nicht bestimmt)</translation>
    </message>
    <message>
        <source>%1; largest correlation %2 (parameters %3 and %4).</source>
        <translation>%1; größte Korrelation %2 (Parameter %3 und %4).</translation>
    </message>
    <message>
        <source>Apply parameters the measurements determine only poorly?</source>
        <translation>Parameter übernehmen, die die Messungen nur schlecht bestimmen?</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Dezimalen</translation>
    </message>
    <message>
        <source>Controller value</source>
        <translation>Wert für die Steuerung</translation>
    </message>
    <message>
        <source>Copy Values</source>
        <translation>Werte kopieren</translation>
    </message>
    <message>
        <source>Copies the controller values as text, one parameter per line</source>
        <translation>Kopiert die Werte für die Steuerung als Text, einen Parameter je Zeile</translation>
    </message>
    <message>
        <source>With the controller values: residual RMS %1 µm (%2 µm unrounded).</source>
        <translation>Mit den Werten für die Steuerung: Residuen-RMS %1 µm (%2 µm ungerundet).</translation>
    </message>
    <message>
        <source>The decimals the controller takes for this parameter</source>
        <translation>Die Dezimalen, die die Steuerung für diesen Parameter annimmt</translation>
    </message>
    <message>
        <source>After compensation with these parameters, against the MPE: %1 pass, %2 fail; largest residual %3 µm (Id %4, %5 % of its MPE).</source>
        <translation>Nach Kompensation mit diesen Parametern, gegen die MPE: %1 bestanden, %2 nicht bestanden; größtes Residuum %3 µm (Id %4, %5 % seiner MPE).</translation>
    </message>
    <message>
        <source>Start parameters 1 and 3 from their presets?</source>
        <translation>Die Parameter 1 und 3 mit ihren Voreinstellungen beginnen?</translation>
    </message>
    <message>
        <source>LK&apos;s parameters 2 and 4 act only through their products with 1 and 3. With those at 0 the measurements cannot move them.</source>
        <translation>Die LK-Parameter 2 und 4 wirken nur über ihre Produkte mit 1 und 3. Stehen diese auf 0, können die Messungen sie nicht bewegen.</translation>
    </message>
    <message>
        <source>Parameter %1 started from its preset, and Apply writes it too.</source>
        <translation>Parameter %1 begann mit seiner Voreinstellung, und Übernehmen schreibt ihn mit.</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>At (mm)</source>
        <translation>Bei (mm)</translation>
    </message>
    <message>
        <source>Gauges</source>
        <translation>Prüfkörper</translation>
    </message>
    <message>
        <source>Residual RMS (µm)</source>
        <translation>Residuen-RMS (µm)</translation>
    </message>
</context>
<context>
    <name>TImportCommand</name>
    <message>
        <source>Import Measurements</source>
        <translation>Messungen importieren</translation>
    </message>
</context>
<context>
    <name>TInitCommand</name>
    <message>
        <source>Init</source>
        <translation>Vorgaben</translation>
    </message>
</context>
<context>
    <name>TMeasurementData</name>
    <message>
        <source>element &quot;%1&quot;</source>
        <translation>Element &quot;%1&quot;</translation>
    </message>
    <message>
        <source>a comment</source>
        <translation>ein Kommentar</translation>
    </message>
    <message>
        <source>text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>ERR:  File version not recognized</source>
        <translation>ERR:  Dateiversion nicht erkannt</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number: &quot;%2&quot;</source>
        <translation>&quot;%1&quot; ist keine Zahl: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 is not part of the format</source>
        <translation>%1 gehört nicht zum Format</translation>
    </message>
    <message>
        <source>%1 is not part of a measurement</source>
        <translation>%1 gehört nicht zu einer Messung</translation>
    </message>
    <message>
        <source>ERR:  Measurement position must have three values</source>
        <translation>ERR:  Die Position einer Messung muss drei Werte haben</translation>
    </message>
    <message>
        <source>ERR:  Measurement axis must have three values</source>
        <translation>ERR:  Die Achse einer Messung muss drei Werte haben</translation>
    </message>
    <message>
        <source>ERR:  Measurement axis not specified</source>
        <translation>ERR:  Die Achse einer Messung ist nicht angegeben</translation>
    </message>
    <message>
        <source>the measurement with &quot;Id&quot; %1 was left out: identifiers must be positive and unique</source>
        <translation>die Messung mit &quot;Id&quot; %1 wurde ausgelassen: Kennungen müssen positiv und eindeutig sein</translation>
    </message>
</context>
<context>
    <name>TMeasurementDock</name>
    <message>
        <source>Measurement Editor</source>
        <translation>Messungseditor</translation>
    </message>
    <message>
        <source>Add a measurement; it starts as a copy of the one shown</source>
        <translation>Eine Messung hinzufügen; sie beginnt als Kopie der angezeigten</translation>
    </message>
    <message>
        <source>Delete the selected measurements (Delete)</source>
        <translation>Die ausgewählten Messungen löschen (Entf)</translation>
    </message>
    <message>
        <source>The measurements; select one to edit it</source>
        <translation>Die Messungen; eine auswählen, um sie zu bearbeiten</translation>
    </message>
</context>
<context>
    <name>TMeasurementEditWidget</name>
    <message>
        <source>Nominal:</source>
        <translation>Nennlänge:</translation>
    </message>
    <message>
        <source>Actual:</source>
        <translation>Ist:</translation>
    </message>
    <message>
        <source>Measured:</source>
        <translation>Gemessen:</translation>
    </message>
    <message>
        <source>not measured</source>
        <translation>offen</translation>
    </message>
    <message>
        <source>The length the machine measured; empty when not measured</source>
        <translation>Die Länge, die die Maschine gemessen hat; leer, wenn nicht gemessen</translation>
    </message>
    <message>
        <source>The gauge&apos;s nominal length in mm, at least 1 mm</source>
        <translation>Die Nennlänge des Endmaßes in mm, mindestens 1 mm</translation>
    </message>
    <message>
        <source>The length in mm the deflected machine reports for this gauge: the distance between the gauge ends, each minus the model&apos;s correction</source>
        <translation>Die Länge in mm, die die durchgebogene Maschine für dieses Endmaß meldet: der Abstand der Endmaßenden, jedes minus der Korrektur des Modells</translation>
    </message>
    <message>
        <source>X of the gauge&apos;s centre in mm; the drawing is the Y-Z plane</source>
        <translation>X der Endmaßmitte in mm; die Zeichnung ist die Y-Z-Ebene</translation>
    </message>
    <message>
        <source>Y of the gauge&apos;s centre in mm</source>
        <translation>Y der Endmaßmitte in mm</translation>
    </message>
    <message>
        <source>Z of the gauge&apos;s centre in mm</source>
        <translation>Z der Endmaßmitte in mm</translation>
    </message>
    <message>
        <source>X component of the gauge&apos;s direction; always 0 in the Y-Z plane</source>
        <translation>X-Komponente der Endmaßrichtung; in der Y-Z-Ebene immer 0</translation>
    </message>
    <message>
        <source>Y component of the gauge&apos;s direction; scaled to unit length</source>
        <translation>Y-Komponente der Endmaßrichtung; auf Länge 1 normiert</translation>
    </message>
    <message>
        <source>Z component of the gauge&apos;s direction; scaled to unit length</source>
        <translation>Z-Komponente der Endmaßrichtung; auf Länge 1 normiert</translation>
    </message>
    <message>
        <source>Not a length: this text is not stored</source>
        <translation>Keine Länge: dieser Text wird nicht gespeichert</translation>
    </message>
    <message>
        <source>Not a number: using %1 mm</source>
        <translation>Keine Zahl: verwendet werden %1 mm</translation>
    </message>
    <message>
        <source>Lengths below 1 mm are not used: using %1 mm</source>
        <translation>Längen unter 1 mm werden nicht verwendet: verwendet werden %1 mm</translation>
    </message>
    <message>
        <source>No direction: using the Z axis (0, 0, 1)</source>
        <translation>Keine Richtung: verwendet wird die Z-Achse (0, 0, 1)</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>Temperatur:</translation>
    </message>
    <message>
        <source>the test&apos;s</source>
        <translation>die des Tests</translation>
    </message>
    <message>
        <source>The gauge&apos;s own temperature when this length was measured, in °C; empty when the test&apos;s temperature holds</source>
        <translation>Die eigene Temperatur des Endmaßes bei dieser Messung in °C; leer, wenn die Temperatur des Tests gilt</translation>
    </message>
    <message>
        <source>Not a temperature: this text is not stored</source>
        <translation>Keine Temperatur: dieser Text wird nicht gespeichert</translation>
    </message>
</context>
<context>
    <name>TMeasurementListModel</name>
    <message>
        <source>Measurement %1</source>
        <translation>Messung %1</translation>
    </message>
</context>
<context>
    <name>TMeasurementSetActions</name>
    <message>
        <source>Import Measurements</source>
        <translation>Messungen importieren</translation>
    </message>
    <message>
        <source>Measurements (*.xml *.csv);;All files (*)</source>
        <translation>Messungen (*.xml *.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Append the measurements of the file to the list, or replace the list with them?</source>
        <translation>Die Messungen der Datei an die Liste anhängen oder die Liste durch sie ersetzen?</translation>
    </message>
    <message>
        <source>Append</source>
        <translation>Anhängen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Nothing was imported</source>
        <translation>Nichts wurde importiert</translation>
    </message>
    <message>
        <source>%1 has errors:
%2</source>
        <translation>%1 enthält Fehler:
%2</translation>
    </message>
    <message>
        <source>Export Measurements</source>
        <translation>Messungen exportieren</translation>
    </message>
    <message>
        <source>Measurement file (*.xml);;CSV with the results (*.csv)</source>
        <translation>Messungsdatei (*.xml);;CSV mit den Ergebnissen (*.csv)</translation>
    </message>
    <message>
        <source>The measurements were not exported</source>
        <translation>Die Messungen wurden nicht exportiert</translation>
    </message>
    <message>
        <source>there is no measurement with the id %1</source>
        <translation>es gibt keine Messung mit der Id %1</translation>
    </message>
    <message>
        <source>Nothing was pasted</source>
        <translation>Es wurde nichts eingefügt</translation>
    </message>
    <message>
        <source>%1 lengths, but only %2 rows from here down</source>
        <translation>%1 Längen, aber nur %2 Zeilen von hier an abwärts</translation>
    </message>
    <message>
        <source>Update measured lengths</source>
        <translation>Gemessene Längen aktualisieren</translation>
    </message>
    <message>
        <source>No measured length was updated</source>
        <translation>Keine gemessene Länge wurde aktualisiert</translation>
    </message>
    <message numerus="yes">
        <source>%n measured result(s) fail the MPE; retests are allowed for at most %1, so the test does not conform.</source>
        <translation>
            <numerusform>%n gemessenes Ergebnis besteht die MPE nicht; Wiederholungen sind für höchstens %1 erlaubt, daher stimmt die Prüfung nicht überein.</numerusform>
            <numerusform>%n gemessene Ergebnisse bestehen die MPE nicht; Wiederholungen sind für höchstens %1 erlaubt, daher stimmt die Prüfung nicht überein.</numerusform>
        </translation>
    </message>
    <message>
        <source>No measured result fails the MPE, so no retests are needed.</source>
        <translation>Kein gemessenes Ergebnis besteht die MPE nicht, daher sind keine Wiederholungen nötig.</translation>
    </message>
    <message>
        <source>Every failing result has its %1 retests already.</source>
        <translation>Jedes nicht bestandene Ergebnis hat seine %1 Wiederholungen schon.</translation>
    </message>
    <message>
        <source>Generate Retests</source>
        <translation>Wiederholungen erzeugen</translation>
    </message>
</context>
<context>
    <name>TMeasurementSetFile</name>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a file that can be read.</source>
        <translation>&apos;%1&apos; ist keine Datei, die gelesen werden kann.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be read: %2</source>
        <translation>&apos;%1&apos; kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>Die Datei ist leer.</translation>
    </message>
    <message>
        <source>the header has no column &quot;%1&quot;</source>
        <translation>die Kopfzeile hat keine Spalte &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 columns instead of %2</source>
        <translation>%1 Spalten statt %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number: &quot;%2&quot;</source>
        <translation>&quot;%1&quot; ist keine Zahl: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>the axis has no length</source>
        <translation>die Achse hat keine Länge</translation>
    </message>
    <message>
        <source>&quot;id&quot; is not a positive whole number: &quot;%1&quot;</source>
        <translation>&quot;id&quot; ist keine positive ganze Zahl: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;measured_length_mm&quot; is not a number: &quot;%1&quot;</source>
        <translation>&quot;measured_length_mm&quot; ist keine Zahl: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>a NUL byte: this is not a text file</source>
        <translation>ein NUL-Byte: das ist keine Textdatei</translation>
    </message>
    <message>
        <source>the header names the column &quot;%1&quot; twice</source>
        <translation>die Kopfzeile nennt die Spalte &quot;%1&quot; zweimal</translation>
    </message>
    <message>
        <source>&quot;nominal_length_mm&quot; must be greater than 0: &quot;%1&quot;</source>
        <translation>&quot;nominal_length_mm&quot; muss größer als 0 sein: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the header separates its columns with &quot;%1&quot;; a CSV file takes &quot;,&quot; or &quot;;&quot;</source>
        <translation>die Kopfzeile trennt ihre Spalten mit &quot;%1&quot;; eine CSV-Datei nimmt &quot;,&quot; oder &quot;;&quot;</translation>
    </message>
    <message>
        <source>the header has only one column; a CSV file separates them with &quot;,&quot; or &quot;;&quot;</source>
        <translation>die Kopfzeile hat nur eine Spalte; eine CSV-Datei trennt sie mit &quot;,&quot; oder &quot;;&quot;</translation>
    </message>
    <message>
        <source>line %1 is not a length: &quot;%2&quot;</source>
        <translation>Zeile %1 ist keine Länge: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>&quot;gauge_temperature_c&quot; is not a usable temperature: &quot;%1&quot;</source>
        <translation>&quot;gauge_temperature_c&quot; ist keine verwendbare Temperatur: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;retest_of&quot; is not the id of a measurement: &quot;%1&quot;</source>
        <translation>&quot;retest_of&quot; ist nicht die Id einer Messung: &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>TMessageText</name>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
</context>
<context>
    <name>TModelCatalog</name>
    <message>
        <source>Generic Deflection</source>
        <translation>Allgemeine Durchbiegung</translation>
    </message>
    <message>
        <source>Tower Rotation:</source>
        <translation>Turmdrehung:</translation>
    </message>
    <message>
        <source>Correction Y:</source>
        <translation>Korrektur Y:</translation>
    </message>
    <message>
        <source>Correction Z:</source>
        <translation>Korrektur Z:</translation>
    </message>
    <message>
        <source>Renishaw Deflection</source>
        <translation>Renishaw-Durchbiegung</translation>
    </message>
    <message>
        <source>Tilt:</source>
        <translation>Neigung:</translation>
    </message>
    <message>
        <source>Bend2:</source>
        <translation>Biegung2:</translation>
    </message>
    <message>
        <source>Bend3:</source>
        <translation>Biegung3:</translation>
    </message>
    <message>
        <source>LK Deflection</source>
        <translation>LK-Durchbiegung</translation>
    </message>
</context>
<context>
    <name>TModelControls</name>
    <message>
        <source>Deflection Model:</source>
        <translation>Biegemodell:</translation>
    </message>
    <message>
        <source>Y Range:</source>
        <translation>Y-Bereich:</translation>
    </message>
    <message>
        <source>Z Range:</source>
        <translation>Z-Bereich:</translation>
    </message>
    <message>
        <source>The model of the machine&apos;s deflection in its Y-Z plane</source>
        <translation>Das Modell der Durchbiegung der Maschine in ihrer Y-Z-Ebene</translation>
    </message>
    <message>
        <source>A parameter of the deflection model</source>
        <translation>Ein Parameter des Biegemodells</translation>
    </message>
    <message>
        <source>The machine&apos;s measuring range along Y in mm; more than 1 mm</source>
        <translation>Der Messbereich der Maschine in Y in mm; mehr als 1 mm</translation>
    </message>
    <message>
        <source>The machine&apos;s measuring range along Z in mm; more than 1 mm</source>
        <translation>Der Messbereich der Maschine in Z in mm; mehr als 1 mm</translation>
    </message>
    <message>
        <source>%1 of the %2 in %3</source>
        <translation>%1 des Modells %2 in %3</translation>
    </message>
</context>
<context>
    <name>TMpe</name>
    <message>
        <source>the MPE is &quot;A,K&quot; or &quot;A,K,B&quot; (µm, without unit, µm)</source>
        <translation>die MPE ist &quot;A,K&quot; oder &quot;A,K,B&quot; (µm, ohne Einheit, µm)</translation>
    </message>
    <message>
        <source>%1 of the MPE is not a number: &quot;%2&quot;</source>
        <translation>%1 der MPE ist keine Zahl: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>A and B of the MPE must not be negative</source>
        <translation>A und B der MPE dürfen nicht negativ sein</translation>
    </message>
    <message>
        <source>K of the MPE must be greater than 0</source>
        <translation>K der MPE muss größer als 0 sein</translation>
    </message>
    <message>
        <source>K of the MPE is too small: &quot;%1&quot;</source>
        <translation>K der MPE ist zu klein: &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>TNewCommand</name>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
</context>
<context>
    <name>TNotices</name>
    <message>
        <source>Your changes could not be saved</source>
        <translation>Ihre Änderungen konnten nicht gespeichert werden</translation>
    </message>
    <message>
        <source>%1

Free some space or make the folder writable, then close again; or close without saving.</source>
        <translation>%1

Schaffen Sie Platz oder machen Sie den Ordner beschreibbar und schließen Sie dann erneut; oder schließen Sie ohne zu speichern.</translation>
    </message>
    <message>
        <source>Close without saving</source>
        <translation>Ohne Speichern schließen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Changes are not saved.</source>
        <translation>Änderungen sind nicht gespeichert.</translation>
    </message>
    <message>
        <source>The file could not be kept under another name, so the measurements will not be saved over it.</source>
        <translation>Die Datei konnte nicht unter einem anderen Namen aufbewahrt werden, daher werden die Messungen nicht über sie gespeichert.</translation>
    </message>
    <message>
        <source>The original file is kept as &apos;%1&apos;.</source>
        <translation>Die ursprüngliche Datei ist als &apos;%1&apos; aufbewahrt.</translation>
    </message>
    <message>
        <source>The measurement file could not be read completely</source>
        <translation>Die Messungsdatei konnte nicht vollständig gelesen werden</translation>
    </message>
    <message>
        <source>%1:
%2

%3 The list shows what could be read.</source>
        <translation>%1:
%2

%3 Die Liste zeigt, was gelesen werden konnte.</translation>
    </message>
    <message>
        <source>Changes are not saved</source>
        <translation>Änderungen sind nicht gespeichert</translation>
    </message>
    <message>
        <source>Curvalo is already running with this settings folder</source>
        <translation>Curvalo läuft bereits mit diesem Einstellungsordner</translation>
    </message>
    <message>
        <source>Another Curvalo window works on &apos;%1&apos;. Close it first, or use that window.</source>
        <translation>Ein anderes Curvalo-Fenster arbeitet mit &apos;%1&apos;. Schließen Sie es zuerst oder verwenden Sie jenes Fenster.</translation>
    </message>
    <message>
        <source>Some settings could not be used</source>
        <translation>Einige Einstellungen konnten nicht verwendet werden</translation>
    </message>
    <message>
        <source>%1 holds values that Curvalo cannot use:
%2

The fields show them as written, marked, and the model uses what their tool tips name instead. They stay in the file until you change them.</source>
        <translation>%1 enthält Werte, die Curvalo nicht verwenden kann:
%2

Die Felder zeigen sie wie geschrieben und markiert, und das Modell verwendet stattdessen, was ihre Tooltips nennen. Sie bleiben in der Datei, bis Sie sie ändern.</translation>
    </message>
    <message>
        <source>%1
… (%2 lines more under Show Details)</source>
        <translation>%1
… (%2 weitere Zeilen unter Details einblenden)</translation>
    </message>
</context>
<context>
    <name>TParameterFit</name>
    <message>
        <source>No deflection model is chosen.</source>
        <translation>Es ist kein Biegemodell gewählt.</translation>
    </message>
    <message>
        <source>Choose the parameters to fit (numbers 1 to 4).</source>
        <translation>Wählen Sie die anzupassenden Parameter (Nummern 1 bis 4).</translation>
    </message>
    <message>
        <source>No measurement has a measured length.</source>
        <translation>Keine Messung hat eine gemessene Länge.</translation>
    </message>
    <message>
        <source>The model gives no finite lengths with the current parameters.</source>
        <translation>Das Modell ergibt mit den aktuellen Parametern keine endlichen Längen.</translation>
    </message>
    <message>
        <source>The fit was cancelled.</source>
        <translation>Die Anpassung wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Parameters %1 cannot all be determined: there are fewer measured lengths (%2) than free parameters. They keep their values where the data say nothing.</source>
        <translation>Die Parameter %1 können nicht alle bestimmt werden: es gibt weniger gemessene Längen (%2) als freie Parameter. Wo die Daten nichts aussagen, behalten sie ihre Werte.</translation>
    </message>
    <message>
        <source>Parameters %1 cannot be determined from these measurements: they do not change the measured lengths, or only together, as a product or in a fixed combination (measure along other lines, or hold one of them). Only what the data determine was fitted; the rest keeps its value.</source>
        <translation>Die Parameter %1 können aus diesen Messungen nicht bestimmt werden: sie ändern die gemessenen Längen nicht oder nur gemeinsam, als Produkt oder in einer festen Kombination (messen Sie entlang anderer Linien oder halten Sie einen von ihnen fest). Angepasst wurde nur, was die Daten bestimmen; der Rest behält seinen Wert.</translation>
    </message>
    <message>
        <source>Parameter %1 is poorly determined: it changes the measured lengths almost exactly as %2 do (correlation %3). Measure along lines away from the centre of the volume (Y lines at other Z positions, Z lines at other Y positions) to determine it, or hold it.</source>
        <translation>Parameter %1 ist schlecht bestimmt: Er ändert die gemessenen Längen fast genau so wie %2 (Korrelation %3). Messen Sie entlang von Linien abseits der Mitte des Volumens (Y-Linien bei anderen Z-Positionen, Z-Linien bei anderen Y-Positionen), um ihn zu bestimmen, oder halten Sie ihn fest.</translation>
    </message>
    <message>
        <source>LK&apos;s parameters 2 and 4 act only through their products with 1 and 3, which are 0 here: give 1 and 3 their values first (Init sets the presets), then fit again.</source>
        <translation>Die LK-Parameter 2 und 4 wirken nur über ihre Produkte mit 1 und 3, die hier 0 sind: Geben Sie zuerst 1 und 3 ihre Werte (Init setzt die Voreinstellungen) und passen Sie dann erneut an.</translation>
    </message>
    <message>
        <source>Without a model and measurements the plan determines nothing.</source>
        <translation>Ohne Modell und Messungen bestimmt der Plan nichts.</translation>
    </message>
    <message>
        <source>The plan determines none of the parameters of the %1 model.</source>
        <translation>Der Plan bestimmt keinen der Parameter des Modells %1.</translation>
    </message>
    <message>
        <source>The plan determines parameters %1 of the %2 model.</source>
        <translation>Der Plan bestimmt die Parameter %1 des Modells %2.</translation>
    </message>
    <message>
        <source>It determines %1 only poorly: add lines away from the centre.</source>
        <translation>%1 bestimmt er nur schlecht: Fügen Sie Linien abseits der Mitte hinzu.</translation>
    </message>
    <message>
        <source>It does not determine %1 at all.</source>
        <translation>%1 bestimmt er gar nicht.</translation>
    </message>
</context>
<context>
    <name>TPersistence</name>
    <message>
        <source>no temporary folder: %1</source>
        <translation>kein temporärer Ordner: %1</translation>
    </message>
    <message>
        <source>they could not be prepared in the temporary folder &apos;%1&apos;</source>
        <translation>sie konnten im temporären Ordner &apos;%1&apos; nicht vorbereitet werden</translation>
    </message>
    <message>
        <source>No home folder is set (HOME is empty), so settings and measurements cannot be saved.</source>
        <translation>Es ist kein Home-Ordner gesetzt (HOME ist leer), daher können Einstellungen und Messungen nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Curvalo: no home folder is set (HOME is empty); settings and measurements will not be saved.</source>
        <translation>Curvalo: es ist kein Home-Ordner gesetzt (HOME ist leer); Einstellungen und Messungen werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>Curvalo is already running with the settings folder &apos;%1&apos;.</source>
        <translation>Curvalo läuft bereits mit dem Einstellungsordner &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>The settings folder &apos;%1&apos; cannot be written, so changes are not saved.</source>
        <translation>In den Einstellungsordner &apos;%1&apos; kann nicht geschrieben werden, daher werden Änderungen nicht gespeichert.</translation>
    </message>
    <message>
        <source>Curvalo: &apos;%1&apos; could not be read completely nor kept under another name; the measurements will not be saved over it.</source>
        <translation>Curvalo: &apos;%1&apos; konnte weder vollständig gelesen noch unter einem anderen Namen aufbewahrt werden; die Messungen werden nicht über sie gespeichert.</translation>
    </message>
    <message>
        <source>Curvalo: &apos;%1&apos; could not be read completely; it was kept as &apos;%2&apos; before saving the measurements.</source>
        <translation>Curvalo: &apos;%1&apos; konnte nicht vollständig gelesen werden; sie wurde vor dem Speichern der Messungen als &apos;%2&apos; aufbewahrt.</translation>
    </message>
    <message>
        <source>the settings could not be written to &apos;%1&apos;: %2
</source>
        <translation>die Einstellungen konnten nicht nach &apos;%1&apos; geschrieben werden: %2
</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be read completely nor kept under another name; the measurements are not saved over it.
</source>
        <translation>&apos;%1&apos; konnte weder vollständig gelesen noch unter einem anderen Namen aufbewahrt werden; die Messungen werden nicht über sie gespeichert.
</translation>
    </message>
    <message>
        <source>the measurements were not saved: %1
</source>
        <translation>die Messungen wurden nicht gespeichert: %1
</translation>
    </message>
    <message>
        <source>&apos;%1&apos; should be Curvalo&apos;s lock file but is a folder or another kind of file, so no lock can be taken and changes are not saved. Remove it and start Curvalo again.</source>
        <translation>&apos;%1&apos; sollte Curvalos Sperrdatei sein, ist aber ein Ordner oder eine andere Art von Datei; daher kann keine Sperre gesetzt werden, und Änderungen werden nicht gespeichert. Entfernen Sie es und starten Sie Curvalo erneut.</translation>
    </message>
    <message>
        <source>the settings were not written: &apos;%1&apos; is a link to &apos;%2&apos;, which is not a Curvalo settings file, and Curvalo does not write through it
</source>
        <translation>die Einstellungen wurden nicht geschrieben: &apos;%1&apos; ist ein Verweis auf &apos;%2&apos;, das keine Curvalo-Einstellungsdatei ist, und Curvalo schreibt nicht durch ihn hindurch
</translation>
    </message>
</context>
<context>
    <name>TPictureDialog</name>
    <message>
        <source>Export Picture</source>
        <translation>Bild exportieren</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>Twice as fine, for print</source>
        <translation>Doppelt so fein, für den Druck</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
</context>
<context>
    <name>TPictureExporter</name>
    <message>
        <source>&apos;%1&apos; does not end in .png, .svg or .pdf</source>
        <translation>&apos;%1&apos; endet nicht auf .png, .svg oder .pdf</translation>
    </message>
    <message>
        <source>the size must be from 1 x 1 to 20000 x 20000 pixels</source>
        <translation>die Größe muss zwischen 1 x 1 und 20000 x 20000 Pixeln liegen</translation>
    </message>
    <message>
        <source>the picture could not be drawn</source>
        <translation>das Bild konnte nicht gezeichnet werden</translation>
    </message>
</context>
<context>
    <name>TPlanCommand</name>
    <message>
        <source>Generate Test Plan</source>
        <translation>Prüfplan erzeugen</translation>
    </message>
</context>
<context>
    <name>TRemoveMeasurementsCommand</name>
    <message>
        <source>Delete Measurement</source>
        <translation>Messung löschen</translation>
    </message>
    <message>
        <source>Delete Measurements</source>
        <translation>Messungen löschen</translation>
    </message>
</context>
<context>
    <name>TReportActions</name>
    <message>
        <source>Export Report</source>
        <translation>Bericht exportieren</translation>
    </message>
    <message>
        <source>PDF document (*.pdf);;HTML page (*.html);;Results as CSV (*.csv)</source>
        <translation>PDF-Dokument (*.pdf);;HTML-Seite (*.html);;Ergebnisse als CSV (*.csv)</translation>
    </message>
    <message>
        <source>The report was not exported</source>
        <translation>Der Bericht wurde nicht exportiert</translation>
    </message>
    <message>
        <source>Writing the report…</source>
        <translation>Der Bericht wird geschrieben…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Printing the report…</source>
        <translation>Der Bericht wird gedruckt…</translation>
    </message>
</context>
<context>
    <name>TReportDialog</name>
    <message>
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
    <message>
        <source>Length test</source>
        <translation>Längenprüfung</translation>
    </message>
    <message>
        <source>name or serial number</source>
        <translation>Name oder Seriennummer</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Machine:</source>
        <translation>Maschine:</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Bediener:</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Bemerkungen:</translation>
    </message>
</context>
<context>
    <name>TReportWriter</name>
    <message>
        <source>Machine</source>
        <translation>Maschine</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Bediener</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Deflection model</source>
        <translation>Biegemodell</translation>
    </message>
    <message>
        <source>Y range</source>
        <translation>Y-Bereich</translation>
    </message>
    <message>
        <source>Z range</source>
        <translation>Z-Bereich</translation>
    </message>
    <message>
        <source>MPE</source>
        <translation>MPE</translation>
    </message>
    <message>
        <source>min(%1 + L/%2, %3) µm, L in mm</source>
        <translation>min(%1 + L/%2, %3) µm, L in mm</translation>
    </message>
    <message>
        <source>%1 + L/%2 µm, L in mm</source>
        <translation>%1 + L/%2 µm, L in mm</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keins</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Bemerkungen</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Zusammenfassung</translation>
    </message>
    <message>
        <source>The deflected volume</source>
        <translation>Das durchgebogene Volumen</translation>
    </message>
    <message>
        <source>Error against length</source>
        <translation>Abweichung über der Länge</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>&apos;%1&apos; does not end in .pdf, .html or .csv</source>
        <translation>&apos;%1&apos; endet nicht auf .pdf, .html oder .csv</translation>
    </message>
    <message>
        <source>Length test</source>
        <translation>Längenprüfung</translation>
    </message>
    <message>
        <source>the report was cancelled; &apos;%1&apos; was not written</source>
        <translation>der Bericht wurde abgebrochen; &apos;%1&apos; wurde nicht geschrieben</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Manufacturer and type</source>
        <translation>Hersteller und Typ</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Standort</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Kunde</translation>
    </message>
    <message>
        <source>Procedure</source>
        <translation>Verfahren</translation>
    </message>
    <message>
        <source>Test uncertainty U = %1 + L/%2 µm, L in mm</source>
        <translation>Prüfunsicherheit U = %1 + L/%2 µm, L in mm</translation>
    </message>
    <message>
        <source>Test uncertainty U = %1 µm</source>
        <translation>Prüfunsicherheit U = %1 µm</translation>
    </message>
    <message>
        <source>MPE of the repeatability range R0 = %1 µm</source>
        <translation>MPE der Spannweite R0 = %1 µm</translation>
    </message>
    <message>
        <source>Conformance</source>
        <translation>Übereinstimmung</translation>
    </message>
    <message>
        <source>No statement: the test has no MPE or no measured length.</source>
        <translation>Keine Aussage: die Prüfung hat keine MPE oder keine gemessene Länge.</translation>
    </message>
    <message>
        <source>Rule: %1.</source>
        <translation>Regel: %1.</translation>
    </message>
    <message>
        <source>Tested by:</source>
        <translation>Geprüft von:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Approved by:</source>
        <translation>Freigegeben von:</translation>
    </message>
    <message>
        <source>Machine and test</source>
        <translation>Maschine und Prüfung</translation>
    </message>
    <message>
        <source>Date of the test</source>
        <translation>Datum der Prüfung</translation>
    </message>
    <message>
        <source>not given</source>
        <translation>nicht angegeben</translation>
    </message>
    <message>
        <source>Report made</source>
        <translation>Bericht erstellt</translation>
    </message>
    <message>
        <source>Deflections drawn %1 times enlarged.</source>
        <translation>Durchbiegungen %1-fach vergrößert gezeichnet.</translation>
    </message>
    <message>
        <source>page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>Gauge temperature %1 °C</source>
        <translation>Temperatur des Prüfkörpers %1 °C</translation>
    </message>
    <message>
        <source>Expansion coefficient %1 · 10⁻⁶/K; measured lengths corrected to 20 °C as L₂₀ = L · (1 − α · (t − 20 °C))</source>
        <translation>Ausdehnungskoeffizient %1 · 10⁻⁶/K; gemessene Längen auf 20 °C korrigiert als L₂₀ = L · (1 − α · (t − 20 °C))</translation>
    </message>
</context>
<context>
    <name>TResultsDock</name>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>A: the MPE at length 0, in µm</source>
        <translation>A: die MPE bei Länge 0, in µm</translation>
    </message>
    <message>
        <source>K: the length in mm per µm of MPE (no unit)</source>
        <translation>K: die Länge in mm je µm MPE (ohne Einheit)</translation>
    </message>
    <message>
        <source>B: the largest MPE in µm; empty for none</source>
        <translation>B: die größte MPE in µm; leer für keine</translation>
    </message>
    <message>
        <source>MPE(L) = min(A + L/K, B)</source>
        <translation>MPE(L) = min(A + L/K, B)</translation>
    </message>
    <message>
        <source>A:</source>
        <translation>A:</translation>
    </message>
    <message>
        <source>K:</source>
        <translation>K:</translation>
    </message>
    <message>
        <source>B:</source>
        <translation>B:</translation>
    </message>
    <message>
        <source>µm</source>
        <translation>µm</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tabelle</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>using the MPE %1</source>
        <translation>verwendet wird die MPE %1</translation>
    </message>
    <message>
        <source>no MPE is used</source>
        <translation>es wird keine MPE verwendet</translation>
    </message>
    <message>
        <source>Not a number</source>
        <translation>Keine Zahl</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Every measurement judged against the MPE; lengths in mm, errors and the MPE in µm. Type into the Measured column to enter a result (Enter goes on to the next row, Delete clears it, Ctrl+V pastes a column); Delete elsewhere removes the selected measurements, and Ctrl+C copies them.</source>
        <translation>Jede Messung gegen die MPE bewertet; Längen in mm, Abweichungen und die MPE in µm. Tippen Sie in die Spalte Gemessen, um ein Ergebnis einzugeben (Eingabe geht zur nächsten Zeile, Entf löscht es, Strg+V fügt eine Spalte ein); Entf an anderer Stelle entfernt die ausgewählten Messungen, Strg+C kopiert sie.</translation>
    </message>
</context>
<context>
    <name>TResultsModel</name>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>Nominal (mm)</source>
        <translation>Nennlänge (mm)</translation>
    </message>
    <message>
        <source>Position Y (mm)</source>
        <translation>Position Y (mm)</translation>
    </message>
    <message>
        <source>Position Z (mm)</source>
        <translation>Position Z (mm)</translation>
    </message>
    <message>
        <source>Axis Y</source>
        <translation>Achse Y</translation>
    </message>
    <message>
        <source>Axis Z</source>
        <translation>Achse Z</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Actual (mm)</source>
        <translation>Ist (mm)</translation>
    </message>
    <message>
        <source>Error (µm)</source>
        <translation>Abweichung (µm)</translation>
    </message>
    <message>
        <source>Measured (mm)</source>
        <translation>Gemessen (mm)</translation>
    </message>
    <message>
        <source>Measured error (µm)</source>
        <translation>Gemessene Abweichung (µm)</translation>
    </message>
    <message>
        <source>Residual (µm)</source>
        <translation>Residuum (µm)</translation>
    </message>
    <message>
        <source>MPE (µm)</source>
        <translation>MPE (µm)</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>Measured verdict</source>
        <translation>Bewertung gemessen</translation>
    </message>
    <message>
        <source>At 20 °C (mm)</source>
        <translation>Bei 20 °C (mm)</translation>
    </message>
    <message>
        <source>Range R (µm)</source>
        <translation>Spannweite R (µm)</translation>
    </message>
    <message>
        <source>U (µm)</source>
        <translation>U (µm)</translation>
    </message>
    <message>
        <source>Retest of</source>
        <translation>Wiederholung von</translation>
    </message>
</context>
<context>
    <name>TRetestCommand</name>
    <message>
        <source>Generate Retests</source>
        <translation>Wiederholungen erzeugen</translation>
    </message>
</context>
<context>
    <name>TScenePainter</name>
    <message>
        <source>Y Axis</source>
        <translation>Y-Achse</translation>
    </message>
    <message>
        <source>Z Lengths mm</source>
        <translation>Z-Längen mm</translation>
    </message>
    <message>
        <source>Z Axis</source>
        <translation>Z-Achse</translation>
    </message>
    <message>
        <source>Y Lengths mm</source>
        <translation>Y-Längen mm</translation>
    </message>
</context>
<context>
    <name>TTerminationWatcher</name>
    <message>
        <source>Curvalo: cannot watch for termination signals</source>
        <translation>Curvalo: Beendigungssignale können nicht überwacht werden</translation>
    </message>
</context>
<context>
    <name>TTestConditions</name>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation>&quot;%1&quot; ist keine Zahl</translation>
    </message>
    <message>
        <source>the test uncertainty is U0 or U0,KU: &quot;%1&quot;</source>
        <translation>die Prüfunsicherheit ist U0 oder U0,KU: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>U0 must not be negative: &quot;%1&quot;</source>
        <translation>U0 darf nicht negativ sein: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>KU must be greater than 0: &quot;%1&quot;</source>
        <translation>KU muss größer als 0 sein: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>R0 must be greater than 0: &quot;%1&quot;</source>
        <translation>R0 muss größer als 0 sein: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the gauge&apos;s temperature must lie between %1 and %2 °C: &quot;%3&quot;</source>
        <translation>die Temperatur des Prüfkörpers muss zwischen %1 und %2 °C liegen: &quot;%3&quot;</translation>
    </message>
    <message>
        <source>the expansion coefficient must lie between -%1 and %1 (10⁻⁶/K): &quot;%2&quot;</source>
        <translation>der Ausdehnungskoeffizient muss zwischen -%1 und %1 (10⁻⁶/K) liegen: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>unknown condition &quot;%1&quot;</source>
        <translation>unbekannte Bedingung &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>TTestDetailsDialog</name>
    <message>
        <source>Test Details</source>
        <translation>Angaben zum Test</translation>
    </message>
    <message>
        <source>Machine:</source>
        <translation>Maschine:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Seriennummer:</translation>
    </message>
    <message>
        <source>Manufacturer and type:</source>
        <translation>Hersteller und Typ:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Standort:</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Customer:</source>
        <translation>Kunde:</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Bediener:</translation>
    </message>
    <message>
        <source>Date of the measurements:</source>
        <translation>Datum der Messungen:</translation>
    </message>
    <message>
        <source>Procedure:</source>
        <translation>Verfahren:</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Bemerkungen:</translation>
    </message>
    <message>
        <source>Conditions of the test</source>
        <translation>Bedingungen der Prüfung</translation>
    </message>
    <message>
        <source>Test uncertainty U0 (µm):</source>
        <translation>Prüfunsicherheit U0 (µm):</translation>
    </message>
    <message>
        <source>Test uncertainty KU (U = U0 + L/KU):</source>
        <translation>Prüfunsicherheit KU (U = U0 + L/KU):</translation>
    </message>
    <message>
        <source>MPE of the range R0 (µm):</source>
        <translation>MPE der Spannweite R0 (µm):</translation>
    </message>
    <message>
        <source>Expansion coefficient (10⁻⁶/K):</source>
        <translation>Ausdehnungskoeffizient (10⁻⁶/K):</translation>
    </message>
    <message>
        <source>not given</source>
        <translation>nicht angegeben</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation>&quot;%1&quot; ist keine Zahl</translation>
    </message>
    <message>
        <source>KU needs U0</source>
        <translation>KU braucht U0</translation>
    </message>
    <message>
        <source>Gauge temperature (°C):</source>
        <translation>Temperatur des Prüfkörpers (°C):</translation>
    </message>
</context>
<context>
    <name>TTestDocument</name>
    <message>
        <source>Not a number: using %1</source>
        <translation>Keine Zahl: verwendet wird %1</translation>
    </message>
    <message>
        <source>A range of 1 mm or less is ignored: using %1 mm</source>
        <translation>Ein Bereich von 1 mm oder weniger wird ignoriert: verwendet werden %1 mm</translation>
    </message>
</context>
<context>
    <name>TTestFile</name>
    <message>
        <source>&lt;%1&gt; is not part of a test file of version 1 here; a newer Curvalo may have written it</source>
        <translation>&lt;%1&gt; gehört hier nicht zu einer Testdatei der Version 1; vielleicht hat sie ein neueres Curvalo geschrieben</translation>
    </message>
    <message>
        <source>&lt;%1&gt; is missing</source>
        <translation>&lt;%1&gt; fehlt</translation>
    </message>
    <message>
        <source>&lt;%1&gt; is not a number: &quot;%2&quot;</source>
        <translation>&lt;%1&gt; ist keine Zahl: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>&lt;%1&gt; is not three numbers: &quot;%2&quot;</source>
        <translation>&lt;%1&gt; sind nicht drei Zahlen: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>the file is of version %1; this Curvalo reads version 1</source>
        <translation>die Datei hat die Version %1; dieses Curvalo liest Version 1</translation>
    </message>
    <message>
        <source>&lt;Model&gt; is missing</source>
        <translation>&lt;Model&gt; fehlt</translation>
    </message>
    <message>
        <source>&lt;Type&gt; names no model: &quot;%1&quot;</source>
        <translation>&lt;Type&gt; nennt kein Modell: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the measurement&apos;s &lt;Id&gt; is not a positive number of its own: &quot;%1&quot;</source>
        <translation>die &lt;Id&gt; der Messung ist keine eigene positive Zahl: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&lt;Nominal_Length&gt; must be greater than 0</source>
        <translation>&lt;Nominal_Length&gt; muss größer als 0 sein</translation>
    </message>
    <message>
        <source>&lt;Axis&gt; has no direction</source>
        <translation>&lt;Axis&gt; hat keine Richtung</translation>
    </message>
    <message>
        <source>%1: line %2: %3</source>
        <translation>%1: Zeile %2: %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>&lt;%1&gt; must hold four numbers: &quot;%2&quot;</source>
        <translation>&lt;%1&gt; muss vier Zahlen enthalten: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>&lt;%1&gt;: %2</source>
        <translation>&lt;%1&gt;: %2</translation>
    </message>
    <message>
        <source>&lt;Retest_Of&gt; is not the id of a measurement: &quot;%1&quot;</source>
        <translation>&lt;Retest_Of&gt; ist nicht die Id einer Messung: &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>TTestFileActions</name>
    <message>
        <source>Curvalo tests (*.curvalo);;All files (*)</source>
        <translation>Curvalo-Tests (*.curvalo);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save the changes to %1?</source>
        <translation>Die Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>The test has changes that are not in its file yet.</source>
        <translation>Der Test hat Änderungen, die noch nicht in seiner Datei stehen.</translation>
    </message>
    <message>
        <source>Open Test</source>
        <translation>Test öffnen</translation>
    </message>
    <message>
        <source>The test was not opened</source>
        <translation>Der Test wurde nicht geöffnet</translation>
    </message>
    <message>
        <source>%1 has changed on disk</source>
        <translation>%1 wurde auf dem Datenträger geändert</translation>
    </message>
    <message>
        <source>Another program (or another computer) changed the file since Curvalo read or wrote it. Replace it with this test?</source>
        <translation>Ein anderes Programm (oder ein anderer Rechner) hat die Datei geändert, seit Curvalo sie gelesen oder geschrieben hat. Durch diesen Test ersetzen?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>The test was not saved</source>
        <translation>Der Test wurde nicht gespeichert</translation>
    </message>
    <message>
        <source>Save Test As</source>
        <translation>Test speichern unter</translation>
    </message>
</context>
<context>
    <name>TTestPlan</name>
    <message>
        <source>%1 mm does not fit the %2 line (%3 mm)</source>
        <translation>%1 mm passt nicht auf die Linie %2 (%3 mm)</translation>
    </message>
    <message>
        <source>Y at Z %1</source>
        <translation>Y bei Z %1</translation>
    </message>
    <message>
        <source>Z %1 mm is outside the volume</source>
        <translation>Z %1 mm liegt außerhalb des Volumens</translation>
    </message>
    <message>
        <source>Z at Y %1</source>
        <translation>Z bei Y %1</translation>
    </message>
    <message>
        <source>Y %1 mm is outside the volume</source>
        <translation>Y %1 mm liegt außerhalb des Volumens</translation>
    </message>
</context>
<context>
    <name>TTestPlanDialog</name>
    <message>
        <source>Generate Test Plan</source>
        <translation>Prüfplan erzeugen</translation>
    </message>
    <message>
        <source>Four lines through the centre of the %1 mm × %2 mm volume: along Y, along Z and the two diagonals. Every gauge is centred on the volume&apos;s centre.</source>
        <translation>Vier Linien durch die Mitte des Volumens von %1 mm × %2 mm: entlang Y, entlang Z und die beiden Diagonalen. Jedes Endmaß liegt mittig in der Mitte des Volumens.</translation>
    </message>
    <message>
        <source>five per line, 10 % to 90 % of its length</source>
        <translation>fünf je Linie, 10 % bis 90 % ihrer Länge</translation>
    </message>
    <message>
        <source>Test lengths in mm, separated by spaces or semicolons; the same on every line. Empty: each line&apos;s own five lengths.</source>
        <translation>Prüflängen in mm, durch Leerzeichen oder Semikolons getrennt; auf jeder Linie dieselben. Leer: die fünf eigenen Längen jeder Linie.</translation>
    </message>
    <message>
        <source>Lengths (mm):</source>
        <translation>Längen (mm):</translation>
    </message>
    <message>
        <source>Repetitions:</source>
        <translation>Wiederholungen:</translation>
    </message>
    <message>
        <source>Append to the measurements</source>
        <translation>An die Messungen anhängen</translation>
    </message>
    <message>
        <source>Replace the measurements</source>
        <translation>Die Messungen ersetzen</translation>
    </message>
    <message>
        <source>Measurements:</source>
        <translation>Messungen:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a length in mm.</source>
        <translation>&quot;%1&quot; ist keine Länge in mm.</translation>
    </message>
    <message>
        <source>1 measurement will be created.</source>
        <translation>1 Messung wird erzeugt.</translation>
    </message>
    <message>
        <source>%1 measurements will be created.</source>
        <translation>%1 Messungen werden erzeugt.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>Z positions in mm of further lines along Y, away from the centre; they tell rotations from translations</source>
        <translation>Z-Positionen in mm weiterer Linien entlang Y, abseits der Mitte; sie unterscheiden Drehungen von Verschiebungen</translation>
    </message>
    <message>
        <source>Y lines at Z (mm):</source>
        <translation>Y-Linien bei Z (mm):</translation>
    </message>
    <message>
        <source>Y positions in mm of further lines along Z, away from the centre</source>
        <translation>Y-Positionen in mm weiterer Linien entlang Z, abseits der Mitte</translation>
    </message>
    <message>
        <source>Z lines at Y (mm):</source>
        <translation>Z-Linien bei Y (mm):</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a position in mm.</source>
        <translation>&quot;%1&quot; ist keine Position in mm.</translation>
    </message>
</context>
<context>
    <name>TUserGuideDialog</name>
    <message>
        <source>Curvalo User Guide</source>
        <translation>Curvalo-Benutzerhandbuch</translation>
    </message>
    <message>
        <source>What the drawing shows</source>
        <translation>Was die Zeichnung zeigt</translation>
    </message>
    <message>
        <source>Grey: the nominal measuring volume, a grid over the Y and Z ranges. Y runs right, Z up.
Red: the same grid moved by the model&apos;s corrections, multiplied by the exaggeration so that they can be seen. Lengths and numbers are never exaggerated.
Arrow labels: the lengths of the drawn deflected lines in mm, each end moved by its correction.
Bands: the gauges of the measurements with their ids; the selected ones are outlined dark and lie on top.
Actual length (editor): what the deflected machine reports, the gauge ends each minus its correction, so its deviation from nominal has the opposite sign of the arrow labels&apos;.
The status bar shows the position under the mouse and the correction there.</source>
        <translation>Grau: das nominelle Messvolumen, ein Gitter über den Y- und Z-Bereich. Y läuft nach rechts, Z nach oben.
Rot: dasselbe Gitter, verschoben um die Korrekturen des Modells, mit der Überhöhung vervielfacht, damit man sie sieht. Längen und Zahlen werden nie überhöht.
Pfeilbeschriftungen: die Längen der gezeichneten durchgebogenen Linien in mm, jedes Ende um seine Korrektur verschoben.
Bänder: die Endmaße der Messungen mit ihren Ids; die ausgewählten sind dunkel umrandet und liegen oben.
Ist-Länge (Editor): was die durchgebogene Maschine meldet, jedes Endmaßende minus seine Korrektur; ihre Abweichung vom Nennwert hat daher das umgekehrte Vorzeichen wie die der Pfeilbeschriftungen.
Die Statusleiste zeigt die Position unter der Maus und die Korrektur dort.</translation>
    </message>
</context>
<context>
    <name>TXmlFile</name>
    <message>
        <source>ERR:  Cannot open file &apos;%1&apos; for reading.</source>
        <translation>ERR:  Die Datei &apos;%1&apos; kann nicht zum Lesen geöffnet werden.</translation>
    </message>
    <message>
        <source>ERR:  &apos;%1&apos; is not a regular file.</source>
        <translation>ERR:  &apos;%1&apos; ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>ERR:  Cannot open file: &apos;%1&apos;.  Reason: %2</source>
        <translation>ERR:  Die Datei kann nicht geöffnet werden: &apos;%1&apos;.  Grund: %2</translation>
    </message>
    <message>
        <source>File &apos;%1&apos;</source>
        <translation>Die Datei &apos;%1&apos;</translation>
    </message>
    <message>
        <source>The data</source>
        <translation>Die Daten</translation>
    </message>
    <message>
        <source>ERR:  Reference %1 XML parse error at line %2 column %3: %4</source>
        <translation>ERR:  XML-Fehler in Referenz %1 in Zeile %2, Spalte %3: %4</translation>
    </message>
    <message>
        <source>ERR:  Identification &apos;%1&apos; does not match &apos;%2&apos;</source>
        <translation>ERR:  Kennung &apos;%1&apos; stimmt nicht mit &apos;%2&apos; überein</translation>
    </message>
    <message>
        <source>ERR:  The &apos;File_Version&apos; attribute is missing.</source>
        <translation>ERR:  Das Attribut &apos;File_Version&apos; fehlt.</translation>
    </message>
    <message>
        <source>ERR:  Cannot open file &apos;%1&apos; for writing</source>
        <translation>ERR:  Die Datei &apos;%1&apos; kann nicht zum Schreiben geöffnet werden</translation>
    </message>
    <message>
        <source>ERR:  Cannot write file &apos;%1&apos;.  Reason: %2</source>
        <translation>ERR:  Die Datei &apos;%1&apos; kann nicht geschrieben werden.  Grund: %2</translation>
    </message>
    <message>
        <source>ERR:  Cannot create node from a NULL node</source>
        <translation>ERR:  Aus einem NULL-Knoten kann kein Knoten erzeugt werden</translation>
    </message>
    <message>
        <source>ERR:  Cannot create an unnamed node</source>
        <translation>ERR:  Ein Knoten ohne Namen kann nicht erzeugt werden</translation>
    </message>
    <message>
        <source>ERR:  Cannot append data to a NULL node</source>
        <translation>ERR:  An einen NULL-Knoten können keine Daten angehängt werden</translation>
    </message>
    <message>
        <source>ERR:  Cannot write node &apos;%1&apos; with data &apos;%2&apos;</source>
        <translation>ERR:  Der Knoten &apos;%1&apos; mit den Daten &apos;%2&apos; kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>ERR:  Cannot create an unnamed attribute</source>
        <translation>ERR:  Ein Attribut ohne Namen kann nicht erzeugt werden</translation>
    </message>
    <message>
        <source>ERR:  Cannot get child from a NULL node</source>
        <translation>ERR:  Von einem NULL-Knoten kann kein Kind gelesen werden</translation>
    </message>
    <message>
        <source>ERR:  Node &apos;%1&apos; is missing from node &apos;%2&apos; and not optional.</source>
        <translation>ERR:  Der Knoten &apos;%1&apos; fehlt in Knoten &apos;%2&apos; und ist nicht optional.</translation>
    </message>
    <message>
        <source>ERR:  Cannot get sibling from a NULL node</source>
        <translation>ERR:  Von einem NULL-Knoten kann kein Geschwister gelesen werden</translation>
    </message>
    <message>
        <source>ERR:  Parent &apos;%1&apos; does not have nodes and they are not optional.</source>
        <translation>ERR:  Der Elternknoten &apos;%1&apos; hat keine Knoten, und sie sind nicht optional.</translation>
    </message>
    <message>
        <source>ERR:  Node &apos;%1&apos; does not have siblings and they are not optional.</source>
        <translation>ERR:  Der Knoten &apos;%1&apos; hat keine Geschwister, und sie sind nicht optional.</translation>
    </message>
    <message>
        <source>ERR:  Cannot read data from a NULL node</source>
        <translation>ERR:  Aus einem NULL-Knoten können keine Daten gelesen werden</translation>
    </message>
    <message>
        <source>ERR:  Node Text for &apos;%1&apos; is not optional.</source>
        <translation>ERR:  Der Knotentext für &apos;%1&apos; ist nicht optional.</translation>
    </message>
    <message>
        <source>ERR:  Cannot read attribute from a NULL node</source>
        <translation>ERR:  Von einem NULL-Knoten kann kein Attribut gelesen werden</translation>
    </message>
    <message>
        <source>ERR:  Node attribute &apos;%1&apos; missing and not optional.</source>
        <translation>ERR:  Das Knotenattribut &apos;%1&apos; fehlt und ist nicht optional.</translation>
    </message>
    <message>
        <source>ERR:  %1 is nested deeper than %2 levels at line %3</source>
        <translation>ERR:  %1 ist in Zeile %3 tiefer als %2 Ebenen verschachtelt</translation>
    </message>
</context>
</TS>
