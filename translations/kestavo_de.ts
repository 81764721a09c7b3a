<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CAboutDescriptionPage</name>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
</context>
<context>
    <name>CAboutLegalPage</name>
    <message>
        <source>Intellectual Property</source>
        <translation>Rechtliches</translation>
    </message>
</context>
<context>
    <name>CAboutLicensePage</name>
    <message>
        <source>License</source>
        <translation>Lizenz</translation>
    </message>
</context>
<context>
    <name>CAboutSheet</name>
    <message>
        <source>Warning: this program is protected by copyright law and international treaties. Copying or distributing it, or any part of it, without the written permission of Tandrel Technologies Inc. is not permitted.</source>
        <translation>Warnung: Dieses Programm ist durch das Urheberrecht und internationale Verträge geschützt. Es darf ohne schriftliche Erlaubnis von Tandrel Technologies Inc. weder ganz noch in Teilen kopiert oder weitergegeben werden.</translation>
    </message>
    <message>
        <source>Use of this program is subject to the terms of its licence agreement.</source>
        <translation>Für die Nutzung dieses Programms gelten die Bedingungen seines Lizenzvertrags.</translation>
    </message>
    <message>
        <source>Telephone: 555-0142</source>
        <translation>Telefon: 555-0142</translation>
    </message>
    <message>
        <source>Fax: 555-0143</source>
        <translation>Fax: 555-0143</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CAboutTechSupportPage</name>
    <message>
        <source>Technical Support</source>
        <translation>Technische Hilfe</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>Web:</source>
        <translation>Web:</translation>
    </message>
</context>
<context>
    <name>CDValtrix</name>
    <message>
        <source>the pen input control Valtrix (libvaltrix.so, class %1)</source>
        <translation>das Stifteingabe-Element Valtrix (libvaltrix.so, Klasse %1)</translation>
    </message>
    <message>
        <source>The answer field has not been created.</source>
        <translation>Das Antwortfeld wurde nicht angelegt.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 is not registered. Run kestavo-register on libvaltrix.so to register it.</source>
        <translation>Antworten können nicht eingegeben werden: %1 ist nicht registriert. Registrieren Sie es mit kestavo-register für libvaltrix.so.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 could not be loaded (error 0x%2).</source>
        <translation>Antworten können nicht eingegeben werden: %1 konnte nicht geladen werden (Fehler 0x%2).</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 does not offer its dispatch interface.</source>
        <translation>Antworten können nicht eingegeben werden: %1 bietet seine Dispatch-Schnittstelle nicht an.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 could not create its window.</source>
        <translation>Antworten können nicht eingegeben werden: %1 konnte sein Fenster nicht anlegen.</translation>
    </message>
</context>
<context>
    <name>CDecimalSeparatorMenu</name>
    <message>
        <source>&amp;Decimal Separator</source>
        <translation>&amp;Dezimaltrennzeichen</translation>
    </message>
    <message>
        <source>The decimal separator could not be saved on this computer.</source>
        <translation>Das Dezimaltrennzeichen konnte auf diesem Computer nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>From the &amp;Language</source>
        <translation>Wie die &amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;Point (3.5)</source>
        <translation>&amp;Punkt (3.5)</translation>
    </message>
    <message>
        <source>&amp;Comma (3,5)</source>
        <translation>&amp;Komma (3,5)</translation>
    </message>
</context>
<context>
    <name>CGoDialog</name>
    <message>
        <source>New Game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>Keep learning level</source>
        <translation>Lernstufe beibehalten</translation>
    </message>
    <message>
        <source>Change learning level</source>
        <translation>Lernstufe ändern</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CHelpBrowser</name>
    <message>
        <source>the help folder</source>
        <translation>den Hilfe-Ordner</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help is not available&lt;/h2&gt;&lt;p&gt;Kestavo could not find %1 in &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;&lt;p&gt;The help pages are installed with the program; reinstalling Kestavo restores them.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Die Hilfe ist nicht verfügbar&lt;/h2&gt;&lt;p&gt;Kestavo konnte %1 in &lt;tt&gt;%2&lt;/tt&gt; nicht finden.&lt;/p&gt;&lt;p&gt;Die Hilfeseiten werden mit dem Programm installiert; wenn Sie Kestavo neu installieren, sind sie wieder da.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Startseite</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Kestavo Help</source>
        <translation>Kestavo-Hilfe</translation>
    </message>
</context>
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;Desktop Language</source>
        <translation>Sprache des &amp;Desktops</translation>
    </message>
    <message>
        <source>Kestavo will show its texts in %1 from the next start.</source>
        <translation>Kestavo zeigt seine Texte ab dem nächsten Start auf %1.</translation>
    </message>
    <message>
        <source>The language could not be saved on this computer.</source>
        <translation>Die Sprache konnte auf diesem Computer nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>CLevelGuide</name>
    <message>
        <source>up to 1 place</source>
        <translation>bis zu 1 Stelle</translation>
    </message>
    <message>
        <source>up to %1 places</source>
        <translation>bis zu %1 Stellen</translation>
    </message>
    <message>
        <source>on, </source>
        <translation>an, </translation>
    </message>
    <message>
        <source>never</source>
        <translation>nie</translation>
    </message>
    <message>
        <source>can be turned on (%1)</source>
        <translation>zuschaltbar (%1)</translation>
    </message>
    <message>
        <source>on</source>
        <translation>an</translation>
    </message>
    <message>
        <source>can be turned on</source>
        <translation>zuschaltbar</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Addition and subtraction</source>
        <translation>Addition und Subtraktion</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplikation</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Kommazahlen</translation>
    </message>
    <message>
        <source>Question style</source>
        <translation>Aufgabenform</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source> (Easy)</source>
        <translation> (leicht)</translation>
    </message>
    <message>
        <source> (Difficult)</source>
        <translation> (schwer)</translation>
    </message>
    <message>
        <source>numbers %1 to %2</source>
        <translation>Zahlen von %1 bis %2</translation>
    </message>
    <message>
        <source>factors up to %1, products up to %2</source>
        <translation>Faktoren bis %1, Produkte bis %2</translation>
    </message>
    <message>
        <source>divisor and answer up to %1, numbers divided up to %2</source>
        <translation>Divisor und Ergebnis bis %1, geteilte Zahlen bis %2</translation>
    </message>
    <message>
        <source>%1; division: %2</source>
        <translation>%1; Division: %2</translation>
    </message>
    <message>
        <source>3+?=7 (any number may be missing)</source>
        <translation>3+?=7 (jede Zahl kann fehlen)</translation>
    </message>
    <message>
        <source>carrying and borrowing</source>
        <translation>mit Zehnerübergang</translation>
    </message>
    <message>
        <source>no carrying or borrowing</source>
        <translation>ohne Zehnerübergang</translation>
    </message>
    <message>
        <source>no apples</source>
        <translation>keine Äpfel</translation>
    </message>
    <message>
        <source>apples %1</source>
        <translation>Äpfel: %1</translation>
    </message>
    <message>
        <source>division with remainders</source>
        <translation>Division mit Rest</translation>
    </message>
    <message>
        <source>decimal divisors</source>
        <translation>Kommazahl als Teiler</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Import Settings...</source>
        <translation>Einstellungen &amp;importieren...</translation>
    </message>
    <message>
        <source>E&amp;xport Settings...</source>
        <translation>Einstellungen e&amp;xportieren...</translation>
    </message>
    <message>
        <source>Ask before ending a game</source>
        <translation>Vor dem Beenden eines Spiels nachfragen</translation>
    </message>
    <message>
        <source>Question &amp;Size</source>
        <translation>Aufgaben&amp;größe</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Inhalt...</translation>
    </message>
    <message>
        <source>&amp;About Kestavo...</source>
        <translation>Ü&amp;ber Kestavo...</translation>
    </message>
    <message>
        <source>Save Results...</source>
        <translation>Ergebnisse speichern...</translation>
    </message>
    <message>
        <source>Print Results...</source>
        <translation>Ergebnisse drucken...</translation>
    </message>
    <message>
        <source>Print Worksheet...</source>
        <translation>Arbeitsblatt drucken...</translation>
    </message>
    <message>
        <source>The question size could not be saved on this computer. It stays in use now, but the next start will not remember it.</source>
        <translation>Die Aufgabengröße konnte auf diesem Computer nicht gespeichert werden. Sie gilt jetzt, beim nächsten Start aber nicht mehr.</translation>
    </message>
    <message>
        <source>The choice &quot;Ask before ending a game&quot; could not be saved; it holds until Kestavo is closed.</source>
        <translation>Die Wahl „Vor dem Beenden eines Spiels nachfragen“ konnte nicht gespeichert werden; sie gilt, bis Kestavo geschlossen wird.</translation>
    </message>
    <message>
        <source>End the game now?</source>
        <translation>Das Spiel jetzt beenden?</translation>
    </message>
    <message>
        <source>Every question has an answer.</source>
        <translation>Alle Aufgaben sind beantwortet.</translation>
    </message>
    <message>
        <source>1 question is not answered yet.</source>
        <translation>1 Aufgabe ist noch nicht beantwortet.</translation>
    </message>
    <message>
        <source>%1 questions are not answered yet.</source>
        <translation>%1 Aufgaben sind noch nicht beantwortet.</translation>
    </message>
    <message>
        <source>End the game</source>
        <translation>Spiel beenden</translation>
    </message>
    <message>
        <source>Keep playing</source>
        <translation>Weiterspielen</translation>
    </message>
</context>
<context>
    <name>COptionsPage</name>
    <message>
        <source>Include addition to game</source>
        <translation>Addition ins Spiel aufnehmen</translation>
    </message>
    <message>
        <source>Include subtraction to game</source>
        <translation>Subtraktion ins Spiel aufnehmen</translation>
    </message>
    <message>
        <source>Include multiplication to game</source>
        <translation>Multiplikation ins Spiel aufnehmen</translation>
    </message>
    <message>
        <source>Include division to game</source>
        <translation>Division ins Spiel aufnehmen</translation>
    </message>
    <message>
        <source>Allow Carrying</source>
        <translation>Zehnerübergang erlauben</translation>
    </message>
    <message>
        <source>Show Manipulatives</source>
        <translation>Äpfel zum Zählen zeigen</translation>
    </message>
    <message>
        <source>Allow Borrowing</source>
        <translation>Zehnerübergang erlauben</translation>
    </message>
    <message>
        <source>Allow Remainder</source>
        <translation>Division mit Rest</translation>
    </message>
    <message>
        <source>Allow Decimal Divisor</source>
        <translation>Kommazahl als Teiler</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Anordnung</translation>
    </message>
    <message>
        <source>Learning Level:</source>
        <translation>Lernstufe:</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Aufgabenart:</translation>
    </message>
    <message>
        <source>Allow Decimals</source>
        <translation>Kommazahlen erlauben</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Untereinander</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Nebeneinander</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Standard</translation>
    </message>
</context>
<context>
    <name>COptionsPropertySheet</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Question size:</source>
        <translation>&amp;Aufgabengröße:</translation>
    </message>
</context>
<context>
    <name>CPagedOutput</name>
    <message>
        <source>The file &quot;%1&quot; could not be written: %2.</source>
        <translation>Die Datei „%1“ konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>the pages could not be drawn</source>
        <translation>die Seiten konnten nicht gezeichnet werden</translation>
    </message>
</context>
<context>
    <name>CPartsCheck</name>
    <message>
        <source>Kestavo cannot find its answer boxes, so answers cannot be entered; please ask whoever looks after this computer to install Kestavo again.</source>
        <translation>Kestavo findet seine Antwortfelder nicht, daher können keine Antworten eingegeben werden. Bitten Sie die Person, die diesen Computer betreut, Kestavo neu zu installieren.</translation>
    </message>
    <message>
        <source>Kestavo cannot find the whiteboard software, so pupils cannot write with the pen; they can still type their answers with the keyboard.</source>
        <translation>Kestavo findet die Whiteboard-Software nicht, daher können die Kinder nicht mit dem Stift schreiben; sie können ihre Antworten aber mit der Tastatur eingeben.</translation>
    </message>
    <message>
        <source>Kestavo cannot show pen writing in the answer boxes; pupils can still type their answers with the keyboard.</source>
        <translation>Kestavo kann keine Stiftschrift in den Antwortfeldern zeigen; die Kinder können ihre Antworten aber mit der Tastatur eingeben.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its handwriting reader. Pupils can still type their answers with the keyboard.</source>
        <translation>Kestavo findet seine Handschrifterkennung nicht. Die Kinder können ihre Antworten aber mit der Tastatur eingeben.</translation>
    </message>
    <message>
        <source>Kestavo&apos;s handwriting reader cannot read its word list, so it may not read handwritten answers; pupils can still type them with the keyboard.</source>
        <translation>Die Handschrifterkennung von Kestavo kann ihre Wortliste nicht lesen und erkennt handgeschriebene Antworten vielleicht nicht; die Kinder können sie aber mit der Tastatur eingeben.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its help pages; the game itself works as usual.</source>
        <translation>Kestavo findet seine Hilfeseiten nicht; das Spiel selbst funktioniert wie gewohnt.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its licence text, so the About box cannot show it; the game itself works as usual.</source>
        <translation>Kestavo findet seinen Lizenztext nicht, daher kann das Infofenster ihn nicht zeigen; das Spiel selbst funktioniert wie gewohnt.</translation>
    </message>
    <message>
        <source>Kestavo cannot save settings on this computer, so choices made in Setup are used now but forgotten when Kestavo closes.</source>
        <translation>Kestavo kann auf diesem Computer keine Einstellungen speichern: Was Sie in der Einrichtung wählen, gilt jetzt, ist aber nach dem Schließen von Kestavo vergessen.</translation>
    </message>
</context>
<context>
    <name>CQuestionSize</name>
    <message>
        <source>Large</source>
        <translation>Groß</translation>
    </message>
    <message>
        <source>Extra large</source>
        <translation>Sehr groß</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Normal</translation>
    </message>
</context>
<context>
    <name>CResultsActions</name>
    <message>
        <source>PDF report (*.pdf)</source>
        <translation>PDF-Bericht (*.pdf)</translation>
    </message>
    <message>
        <source>CSV file for spreadsheets (*.csv)</source>
        <translation>CSV-Datei für Tabellenkalkulation (*.csv)</translation>
    </message>
    <message>
        <source>PDF report and CSV file (*.pdf *.csv)</source>
        <translation>PDF-Bericht und CSV-Datei (*.pdf *.csv)</translation>
    </message>
    <message>
        <source>PDF worksheet (*.pdf)</source>
        <translation>PDF-Arbeitsblatt (*.pdf)</translation>
    </message>
    <message>
        <source>Kestavo results</source>
        <translation>Kestavo-Ergebnisse</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Name of the pupil or group (optional):</source>
        <translation>Name des Kindes oder der Gruppe (freiwillig):</translation>
    </message>
    <message>
        <source>Save Worksheet</source>
        <translation>Arbeitsblatt speichern</translation>
    </message>
    <message>
        <source>Save Results</source>
        <translation>Ergebnisse speichern</translation>
    </message>
    <message>
        <source>No printer is installed. Use &quot;Save Results...&quot; to keep the results as a PDF file and print it later.</source>
        <translation>Es ist kein Drucker eingerichtet. Mit „Ergebnisse speichern...“ können Sie die Ergebnisse als PDF-Datei sichern und später drucken.</translation>
    </message>
    <message>
        <source>The results could not be printed. Check the printer and try again, or use &quot;Save Results...&quot;.</source>
        <translation>Die Ergebnisse konnten nicht gedruckt werden. Prüfen Sie den Drucker und versuchen Sie es noch einmal, oder nutzen Sie „Ergebnisse speichern...“.</translation>
    </message>
    <message>
        <source>No worksheet could be made: choose the operations in the Setup dialog first.</source>
        <translation>Es konnte kein Arbeitsblatt erstellt werden: Wählen Sie zuerst in der Einrichtung die Rechenarten.</translation>
    </message>
    <message>
        <source>Kestavo worksheet</source>
        <translation>Kestavo-Arbeitsblatt</translation>
    </message>
    <message>
        <source>The worksheet could not be printed. Check the printer and try again.</source>
        <translation>Das Arbeitsblatt konnte nicht gedruckt werden. Prüfen Sie den Drucker und versuchen Sie es noch einmal.</translation>
    </message>
    <message>
        <source>No printer is installed. Choose a PDF file for the worksheet instead; it can be printed from any computer.</source>
        <translation>Es ist kein Drucker eingerichtet. Wählen Sie stattdessen eine PDF-Datei für das Arbeitsblatt; sie lässt sich an jedem Computer drucken.</translation>
    </message>
    <message>
        <source>Kestavo worksheet - seed %1.pdf</source>
        <translation>Kestavo-Arbeitsblatt - Startwert %1.pdf</translation>
    </message>
</context>
<context>
    <name>CResultsReport</name>
    <message>
        <source>✔ Right</source>
        <translation>✔ Richtig</translation>
    </message>
    <message>
        <source>✘ Wrong</source>
        <translation>✘ Falsch</translation>
    </message>
    <message>
        <source>Kestavo results</source>
        <translation>Kestavo-Ergebnisse</translation>
    </message>
    <message>
        <source>Pupil or group:</source>
        <translation>Kind oder Gruppe:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Played:</source>
        <translation>Gespielt:</translation>
    </message>
    <message>
        <source>Questions:</source>
        <translation>Aufgaben:</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>Richtig wäre</translation>
    </message>
    <message>
        <source>Hints</source>
        <translation>Tipps</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Expected answer</source>
        <translation>Richtige Antwort</translation>
    </message>
    <message>
        <source>Pupil&apos;s answer</source>
        <translation>Antwort des Kindes</translation>
    </message>
    <message>
        <source>Pupil or group</source>
        <translation>Kind oder Gruppe</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>right</source>
        <translation>richtig</translation>
    </message>
    <message>
        <source>wrong</source>
        <translation>falsch</translation>
    </message>
</context>
<context>
    <name>CSettingsImport</name>
    <message>
        <source>Addition</source>
        <translation>Addition</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Subtraktion</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplikation</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>Board settings</source>
        <translation>Tafeleinstellungen</translation>
    </message>
    <message>
        <source>%1: removed</source>
        <translation>%1: entfernt</translation>
    </message>
    <message>
        <source>%1: level %2</source>
        <translation>%1: Stufe %2</translation>
    </message>
    <message>
        <source>Number of questions: %1</source>
        <translation>Anzahl der Aufgaben: %1</translation>
    </message>
</context>
<context>
    <name>CSetup</name>
    <message>
        <source>Setup</source>
        <translation>Einrichtung</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Rechenart:</translation>
    </message>
    <message>
        <source>Learning Level:</source>
        <translation>Lernstufe:</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Difficult</source>
        <translation>Schwer</translation>
    </message>
    <message>
        <source>Number of Questions:</source>
        <translation>Anzahl der Aufgaben:</translation>
    </message>
    <message>
        <source>Advanced...</source>
        <translation>Erweitert...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Your choices could not be saved on this computer. This game still uses them, but Setup will not remember them next time.</source>
        <translation>Ihre Auswahl konnte auf diesem Computer nicht gespeichert werden. Dieses Spiel verwendet sie trotzdem, beim nächsten Mal kennt die Einrichtung sie aber nicht mehr.</translation>
    </message>
</context>
<context>
    <name>CSummaryView</name>
    <message>
        <source>Save Results...</source>
        <translation>Ergebnisse speichern...</translation>
    </message>
    <message>
        <source>Print Results...</source>
        <translation>Ergebnisse drucken...</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>CTouchWritingMenu</name>
    <message>
        <source>&amp;Touch As Pen</source>
        <translation>&amp;Finger als Stift</translation>
    </message>
    <message>
        <source>&amp;Automatic</source>
        <translation>&amp;Automatisch</translation>
    </message>
    <message>
        <source>A&amp;lways</source>
        <translation>&amp;Immer</translation>
    </message>
    <message>
        <source>&amp;Never</source>
        <translation>&amp;Nie</translation>
    </message>
</context>
<context>
    <name>CWorksheet</name>
    <message>
        <source>Kestavo worksheet, seed %1</source>
        <translation>Kestavo-Arbeitsblatt, Startwert %1</translation>
    </message>
</context>
<context>
    <name>CWorksheetPainter</name>
    <message>
        <source>Name: ______________________________      Date: ________________</source>
        <translation>Name: ______________________________      Datum: ________________</translation>
    </message>
    <message>
        <source>Answer key</source>
        <translation>Lösungen</translation>
    </message>
    <message>
        <source>Worksheet</source>
        <translation>Arbeitsblatt</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>LicenseText</name>
    <message>
        <source>No licence file was given.</source>
        <translation>Es wurde keine Lizenzdatei angegeben.</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2.</source>
        <translation>%1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>%1 is too large to be a licence text.</source>
        <translation>%1 ist zu groß für einen Lizenztext.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2.</source>
        <translation>%1 kann nicht gelesen werden: %2.</translation>
    </message>
</context>
<context>
    <name>PlayedSettings</name>
    <message>
        <source>decimals</source>
        <translation>Kommazahlen</translation>
    </message>
    <message>
        <source>algebra style</source>
        <translation>Platzhalteraufgaben</translation>
    </message>
    <message>
        <source>remainders</source>
        <translation>mit Rest</translation>
    </message>
    <message>
        <source>%1, level %2</source>
        <translation>%1, Stufe %2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Registry files (*.reg);;All files (*)</source>
        <translation>Registrierungsdateien (*.reg);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Import Settings</source>
        <translation>Einstellungen importieren</translation>
    </message>
    <message>
        <source>%1 cannot be imported: %2.
Nothing was changed.</source>
        <translation>%1 kann nicht importiert werden: %2.
Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The settings could not be saved. Nothing was changed.</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The settings were imported. They apply from the next game you set up.</source>
        <translation>Die Einstellungen wurden importiert. Sie gelten ab dem nächsten Spiel, das Sie einrichten.</translation>
    </message>
    <message>
        <source>Import these settings from %1?</source>
        <translation>Diese Einstellungen aus %1 importieren?</translation>
    </message>
    <message>
        <source>Keys of other software are left out:
</source>
        <translation>Schlüssel anderer Programme werden ausgelassen:
</translation>
    </message>
    <message>
        <source>Export Settings</source>
        <translation>Einstellungen exportieren</translation>
    </message>
    <message>
        <source>There are no settings to export yet: set up a game first.</source>
        <translation>Es gibt noch keine Einstellungen zum Exportieren: Richten Sie zuerst ein Spiel ein.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2.</source>
        <translation>%1 kann nicht geschrieben werden: %2.</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Advanced Options</source>
        <translation>Erweiterte Einstellungen</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Subtraktion</translation>
    </message>
    <message>
        <source>Addition</source>
        <translation>Addition</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplikation</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>Tandrel Kestavo is an interactive application that reinforces basic arithmetic skills.</source>
        <translation>Tandrel Kestavo ist ein interaktives Programm, mit dem Kinder die Grundrechenarten üben und festigen.</translation>
    </message>
    <message>
        <source>Tandrel and Kestavo are trademarks of Tandrel Technologies Inc.
Other product names mentioned may be trademarks of their respective owners.</source>
        <translation>Tandrel und Kestavo sind Marken von Tandrel Technologies Inc.
Andere genannte Produktnamen können Marken ihrer jeweiligen Inhaber sein.</translation>
    </message>
    <message>
        <source>Copyright © 2026 Tandrel Technologies Inc. All rights reserved.</source>
        <translation>Copyright © 2026 Tandrel Technologies Inc. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Hints</source>
        <translation>Tipps</translation>
    </message>
    <message>
        <source>correct out of</source>
        <translation>richtig von</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>of</source>
        <translation>von</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>&amp;Go...</source>
        <translation>&amp;Los...</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>(Hint: Drag the apples out of the bowl to help solve the equation.)</source>
        <translation>(Tipp: Zieh die Äpfel aus der Schüssel, dann kannst du die Aufgabe leichter lösen.)</translation>
    </message>
    <message>
        <source>The number of questions that you’ve specified is too high. Tandrel Kestavo can’t generate that many questions for a game at this level. Either decrease the number of questions or select a more difficult level.</source>
        <translation>Sie haben zu viele Aufgaben gewählt. Tandrel Kestavo kann für ein Spiel auf dieser Stufe nicht so viele verschiedene Aufgaben bilden. Wählen Sie weniger Aufgaben oder eine schwierigere Stufe.</translation>
    </message>
    <message>
        <source>Tandrel Kestavo</source>
        <translation>Tandrel Kestavo</translation>
    </message>
</context>
</TS>
