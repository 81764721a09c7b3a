<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>CAboutDescriptionPage</name>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
</context>
<context>
    <name>CAboutLegalPage</name>
    <message>
        <source>Intellectual Property</source>
        <translation>Propiedad intelectual</translation>
    </message>
</context>
<context>
    <name>CAboutLicensePage</name>
    <message>
        <source>License</source>
        <translation>Licencia</translation>
    </message>
</context>
<context>
    <name>CAboutSheet</name>
    <message>
        <source>Warning: this program is protected by copyright law and international treaties. Copying or distributing it, or any part of it, without the written permission of Tandrel Technologies Inc. is not permitted.</source>
        <translation>Advertencia: este programa está protegido por las leyes de derechos de autor y por tratados internacionales. No está permitido copiarlo ni distribuirlo, total o parcialmente, sin el permiso escrito de Tandrel Technologies Inc.</translation>
    </message>
    <message>
        <source>Use of this program is subject to the terms of its licence agreement.</source>
        <translation>El uso de este programa está sujeto a las condiciones de su contrato de licencia.</translation>
    </message>
    <message>
        <source>Telephone: 555-0142</source>
        <translation>Teléfono: 555-0142</translation>
    </message>
    <message>
        <source>Fax: 555-0143</source>
        <translation>Fax: 555-0143</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>CAboutTechSupportPage</name>
    <message>
        <source>Technical Support</source>
        <translation>Asistencia técnica</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>Correo:</translation>
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
        <translation>el control de escritura con lápiz Valtrix (libvaltrix.so, clase %1)</translation>
    </message>
    <message>
        <source>The answer field has not been created.</source>
        <translation>No se ha creado la casilla de respuesta.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 is not registered. Run kestavo-register on libvaltrix.so to register it.</source>
        <translation>No se pueden escribir respuestas: %1 no está registrado. Ejecute kestavo-register con libvaltrix.so para registrarlo.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 could not be loaded (error 0x%2).</source>
        <translation>No se pueden escribir respuestas: no se pudo cargar %1 (error 0x%2).</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 does not offer its dispatch interface.</source>
        <translation>No se pueden escribir respuestas: %1 no ofrece su interfaz de despacho.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 could not create its window.</source>
        <translation>No se pueden escribir respuestas: %1 no pudo crear su ventana.</translation>
    </message>
</context>
<context>
    <name>CDecimalSeparatorMenu</name>
    <message>
        <source>&amp;Decimal Separator</source>
        <translation>&amp;Separador decimal</translation>
    </message>
    <message>
        <source>The decimal separator could not be saved on this computer.</source>
        <translation>No se ha podido guardar el separador decimal en este ordenador.</translation>
    </message>
    <message>
        <source>From the &amp;Language</source>
        <translation>Según el &amp;idioma</translation>
    </message>
    <message>
        <source>&amp;Point (3.5)</source>
        <translation>&amp;Punto (3.5)</translation>
    </message>
    <message>
        <source>&amp;Comma (3,5)</source>
        <translation>&amp;Coma (3,5)</translation>
    </message>
</context>
<context>
    <name>CGoDialog</name>
    <message>
        <source>New Game</source>
        <translation>Nueva partida</translation>
    </message>
    <message>
        <source>Keep learning level</source>
        <translation>Mantener el nivel</translation>
    </message>
    <message>
        <source>Change learning level</source>
        <translation>Cambiar el nivel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>CHelpBrowser</name>
    <message>
        <source>the help folder</source>
        <translation>la carpeta de ayuda</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help is not available&lt;/h2&gt;&lt;p&gt;Kestavo could not find %1 in &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;&lt;p&gt;The help pages are installed with the program; reinstalling Kestavo restores them.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;La ayuda no está disponible&lt;/h2&gt;&lt;p&gt;Kestavo no encontró %1 en &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;&lt;p&gt;Las páginas de ayuda se instalan con el programa; al reinstalar Kestavo vuelven a estar disponibles.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Adelante</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Kestavo Help</source>
        <translation>Ayuda de Kestavo</translation>
    </message>
</context>
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>Idi&amp;oma</translation>
    </message>
    <message>
        <source>&amp;Desktop Language</source>
        <translation>Idioma del &amp;escritorio</translation>
    </message>
    <message>
        <source>Kestavo will show its texts in %1 from the next start.</source>
        <translation>Kestavo mostrará sus textos en %1 la próxima vez que se inicie.</translation>
    </message>
    <message>
        <source>The language could not be saved on this computer.</source>
        <translation>No se pudo guardar el idioma en este ordenador.</translation>
    </message>
</context>
<context>
    <name>CLevelGuide</name>
    <message>
        <source>up to 1 place</source>
        <translation>hasta 1 decimal</translation>
    </message>
    <message>
        <source>up to %1 places</source>
        <translation>hasta %1 decimales</translation>
    </message>
    <message>
        <source>on, </source>
        <translation>sí, </translation>
    </message>
    <message>
        <source>never</source>
        <translation>nunca</translation>
    </message>
    <message>
        <source>can be turned on (%1)</source>
        <translation>se pueden activar (%1)</translation>
    </message>
    <message>
        <source>on</source>
        <translation>sí</translation>
    </message>
    <message>
        <source>can be turned on</source>
        <translation>se pueden activar</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Addition and subtraction</source>
        <translation>Suma y resta</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplicación</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>División</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Decimales</translation>
    </message>
    <message>
        <source>Question style</source>
        <translation>Forma de la operación</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Otros</translation>
    </message>
    <message>
        <source> (Easy)</source>
        <translation> (fácil)</translation>
    </message>
    <message>
        <source> (Difficult)</source>
        <translation> (difícil)</translation>
    </message>
    <message>
        <source>numbers %1 to %2</source>
        <translation>números del %1 al %2</translation>
    </message>
    <message>
        <source>factors up to %1, products up to %2</source>
        <translation>factores hasta %1, productos hasta %2</translation>
    </message>
    <message>
        <source>divisor and answer up to %1, numbers divided up to %2</source>
        <translation>divisor y resultado hasta %1, números que se dividen hasta %2</translation>
    </message>
    <message>
        <source>%1; division: %2</source>
        <translation>%1; división: %2</translation>
    </message>
    <message>
        <source>3+?=7 (any number may be missing)</source>
        <translation>3+?=7 (puede faltar cualquier número)</translation>
    </message>
    <message>
        <source>carrying and borrowing</source>
        <translation>con llevadas</translation>
    </message>
    <message>
        <source>no carrying or borrowing</source>
        <translation>sin llevadas</translation>
    </message>
    <message>
        <source>no apples</source>
        <translation>sin manzanas</translation>
    </message>
    <message>
        <source>apples %1</source>
        <translation>manzanas: %1</translation>
    </message>
    <message>
        <source>division with remainders</source>
        <translation>división con resto</translation>
    </message>
    <message>
        <source>decimal divisors</source>
        <translation>divisor decimal</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Partida</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Siguiente</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Anterior</translation>
    </message>
    <message>
        <source>&amp;Import Settings...</source>
        <translation>&amp;Importar ajustes...</translation>
    </message>
    <message>
        <source>E&amp;xport Settings...</source>
        <translation>E&amp;xportar ajustes...</translation>
    </message>
    <message>
        <source>Ask before ending a game</source>
        <translation>Preguntar antes de terminar una partida</translation>
    </message>
    <message>
        <source>Question &amp;Size</source>
        <translation>&amp;Tamaño de las operaciones</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>Sa&amp;lir</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Contenido...</translation>
    </message>
    <message>
        <source>&amp;About Kestavo...</source>
        <translation>&amp;Acerca de Kestavo...</translation>
    </message>
    <message>
        <source>Save Results...</source>
        <translation>Guardar resultados...</translation>
    </message>
    <message>
        <source>Print Results...</source>
        <translation>Imprimir resultados...</translation>
    </message>
    <message>
        <source>Print Worksheet...</source>
        <translation>Imprimir ficha...</translation>
    </message>
    <message>
        <source>The question size could not be saved on this computer. It stays in use now, but the next start will not remember it.</source>
        <translation>No se pudo guardar el tamaño de las operaciones en este ordenador. Se usa ahora, pero no se recordará la próxima vez.</translation>
    </message>
    <message>
        <source>The choice &quot;Ask before ending a game&quot; could not be saved; it holds until Kestavo is closed.</source>
        <translation>No se pudo guardar la opción «Preguntar antes de terminar una partida»; vale hasta que se cierre Kestavo.</translation>
    </message>
    <message>
        <source>End the game now?</source>
        <translation>¿Terminar la partida ahora?</translation>
    </message>
    <message>
        <source>Every question has an answer.</source>
        <translation>Todas las operaciones tienen respuesta.</translation>
    </message>
    <message>
        <source>1 question is not answered yet.</source>
        <translation>Falta 1 operación por responder.</translation>
    </message>
    <message>
        <source>%1 questions are not answered yet.</source>
        <translation>Faltan %1 operaciones por responder.</translation>
    </message>
    <message>
        <source>End the game</source>
        <translation>Terminar la partida</translation>
    </message>
    <message>
        <source>Keep playing</source>
        <translation>Seguir jugando</translation>
    </message>
</context>
<context>
    <name>COptionsPage</name>
    <message>
        <source>Include addition to game</source>
        <translation>Incluir sumas en la partida</translation>
    </message>
    <message>
        <source>Include subtraction to game</source>
        <translation>Incluir restas en la partida</translation>
    </message>
    <message>
        <source>Include multiplication to game</source>
        <translation>Incluir multiplicaciones en la partida</translation>
    </message>
    <message>
        <source>Include division to game</source>
        <translation>Incluir divisiones en la partida</translation>
    </message>
    <message>
        <source>Allow Carrying</source>
        <translation>Con llevadas</translation>
    </message>
    <message>
        <source>Show Manipulatives</source>
        <translation>Mostrar manzanas para contar</translation>
    </message>
    <message>
        <source>Allow Borrowing</source>
        <translation>Con llevadas</translation>
    </message>
    <message>
        <source>Allow Remainder</source>
        <translation>Con resto</translation>
    </message>
    <message>
        <source>Allow Decimal Divisor</source>
        <translation>Divisor decimal</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Formato</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Disposición</translation>
    </message>
    <message>
        <source>Learning Level:</source>
        <translation>Nivel:</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Tipo:</translation>
    </message>
    <message>
        <source>Allow Decimals</source>
        <translation>Con decimales</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>En vertical</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>En horizontal</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Predeterminado</translation>
    </message>
</context>
<context>
    <name>COptionsPropertySheet</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&amp;Question size:</source>
        <translation>&amp;Tamaño de las operaciones:</translation>
    </message>
</context>
<context>
    <name>CPagedOutput</name>
    <message>
        <source>The file &quot;%1&quot; could not be written: %2.</source>
        <translation>No se pudo escribir el archivo «%1»: %2.</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
    <message>
        <source>the pages could not be drawn</source>
        <translation>no se pudieron dibujar las páginas</translation>
    </message>
</context>
<context>
    <name>CPartsCheck</name>
    <message>
        <source>Kestavo cannot find its answer boxes, so answers cannot be entered; please ask whoever looks after this computer to install Kestavo again.</source>
        <translation>Kestavo no encuentra sus casillas de respuesta, así que no se pueden escribir respuestas. Pida a la persona que se ocupa de este ordenador que vuelva a instalar Kestavo.</translation>
    </message>
    <message>
        <source>Kestavo cannot find the whiteboard software, so pupils cannot write with the pen; they can still type their answers with the keyboard.</source>
        <translation>Kestavo no encuentra el programa de la pizarra digital, así que los alumnos no pueden escribir con el lápiz; sí pueden escribir sus respuestas con el teclado.</translation>
    </message>
    <message>
        <source>Kestavo cannot show pen writing in the answer boxes; pupils can still type their answers with the keyboard.</source>
        <translation>Kestavo no puede mostrar lo escrito con el lápiz en las casillas de respuesta; los alumnos pueden escribir sus respuestas con el teclado.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its handwriting reader. Pupils can still type their answers with the keyboard.</source>
        <translation>Kestavo no encuentra su reconocimiento de escritura. Los alumnos pueden escribir sus respuestas con el teclado.</translation>
    </message>
    <message>
        <source>Kestavo&apos;s handwriting reader cannot read its word list, so it may not read handwritten answers; pupils can still type them with the keyboard.</source>
        <translation>El reconocimiento de escritura de Kestavo no puede leer su lista de palabras y quizá no lea las respuestas escritas a mano; los alumnos pueden escribirlas con el teclado.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its help pages; the game itself works as usual.</source>
        <translation>Kestavo no encuentra sus páginas de ayuda; el juego funciona con normalidad.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its licence text, so the About box cannot show it; the game itself works as usual.</source>
        <translation>Kestavo no encuentra el texto de su licencia, así que la ventana Acerca de no puede mostrarlo; el juego funciona con normalidad.</translation>
    </message>
    <message>
        <source>Kestavo cannot save settings on this computer, so choices made in Setup are used now but forgotten when Kestavo closes.</source>
        <translation>Kestavo no puede guardar ajustes en este ordenador: lo elegido en la configuración se usa ahora, pero se olvida al cerrar Kestavo.</translation>
    </message>
</context>
<context>
    <name>CQuestionSize</name>
    <message>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <source>Extra large</source>
        <translation>Muy grande</translation>
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
        <translation>Informe PDF (*.pdf)</translation>
    </message>
    <message>
        <source>CSV file for spreadsheets (*.csv)</source>
        <translation>Archivo CSV para hojas de cálculo (*.csv)</translation>
    </message>
    <message>
        <source>PDF report and CSV file (*.pdf *.csv)</source>
        <translation>Informe PDF y archivo CSV (*.pdf *.csv)</translation>
    </message>
    <message>
        <source>PDF worksheet (*.pdf)</source>
        <translation>Ficha PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Kestavo results</source>
        <translation>Resultados de Kestavo</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Resultados</translation>
    </message>
    <message>
        <source>Name of the pupil or group (optional):</source>
        <translation>Nombre del alumno o del grupo (opcional):</translation>
    </message>
    <message>
        <source>Save Worksheet</source>
        <translation>Guardar ficha</translation>
    </message>
    <message>
        <source>Save Results</source>
        <translation>Guardar resultados</translation>
    </message>
    <message>
        <source>No printer is installed. Use &quot;Save Results...&quot; to keep the results as a PDF file and print it later.</source>
        <translation>No hay ninguna impresora instalada. Use «Guardar resultados...» para guardar los resultados en un archivo PDF e imprimirlo más tarde.</translation>
    </message>
    <message>
        <source>The results could not be printed. Check the printer and try again, or use &quot;Save Results...&quot;.</source>
        <translation>No se pudieron imprimir los resultados. Compruebe la impresora e inténtelo de nuevo, o use «Guardar resultados...».</translation>
    </message>
    <message>
        <source>No worksheet could be made: choose the operations in the Setup dialog first.</source>
        <translation>No se pudo crear la ficha: elija primero las operaciones en la configuración.</translation>
    </message>
    <message>
        <source>Kestavo worksheet</source>
        <translation>Ficha de Kestavo</translation>
    </message>
    <message>
        <source>The worksheet could not be printed. Check the printer and try again.</source>
        <translation>No se pudo imprimir la ficha. Compruebe la impresora e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>No printer is installed. Choose a PDF file for the worksheet instead; it can be printed from any computer.</source>
        <translation>No hay ninguna impresora instalada. Elija en su lugar un archivo PDF para la ficha; se puede imprimir desde cualquier ordenador.</translation>
    </message>
    <message>
        <source>Kestavo worksheet - seed %1.pdf</source>
        <translation>Ficha de Kestavo - semilla %1.pdf</translation>
    </message>
</context>
<context>
    <name>CResultsReport</name>
    <message>
        <source>✔ Right</source>
        <translation>✔ Bien</translation>
    </message>
    <message>
        <source>✘ Wrong</source>
        <translation>✘ Mal</translation>
    </message>
    <message>
        <source>Kestavo results</source>
        <translation>Resultados de Kestavo</translation>
    </message>
    <message>
        <source>Pupil or group:</source>
        <translation>Alumno o grupo:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Fecha:</translation>
    </message>
    <message>
        <source>Played:</source>
        <translation>Jugado:</translation>
    </message>
    <message>
        <source>Questions:</source>
        <translation>Operaciones:</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>N.º</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Operación</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Respuesta</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>Correcta</translation>
    </message>
    <message>
        <source>Hints</source>
        <translation>Pistas</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(ninguna)</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Número</translation>
    </message>
    <message>
        <source>Expected answer</source>
        <translation>Respuesta correcta</translation>
    </message>
    <message>
        <source>Pupil&apos;s answer</source>
        <translation>Respuesta del alumno</translation>
    </message>
    <message>
        <source>Pupil or group</source>
        <translation>Alumno o grupo</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>right</source>
        <translation>bien</translation>
    </message>
    <message>
        <source>wrong</source>
        <translation>mal</translation>
    </message>
</context>
<context>
    <name>CSettingsImport</name>
    <message>
        <source>Addition</source>
        <translation>Suma</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Resta</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplicación</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>División</translation>
    </message>
    <message>
        <source>Board settings</source>
        <translation>Ajustes de la pizarra</translation>
    </message>
    <message>
        <source>%1: removed</source>
        <translation>%1: eliminado</translation>
    </message>
    <message>
        <source>%1: level %2</source>
        <translation>%1: nivel %2</translation>
    </message>
    <message>
        <source>Number of questions: %1</source>
        <translation>Número de operaciones: %1</translation>
    </message>
</context>
<context>
    <name>CSetup</name>
    <message>
        <source>Setup</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Operación:</translation>
    </message>
    <message>
        <source>Learning Level:</source>
        <translation>Nivel:</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Fácil</translation>
    </message>
    <message>
        <source>Difficult</source>
        <translation>Difícil</translation>
    </message>
    <message>
        <source>Number of Questions:</source>
        <translation>Número de operaciones:</translation>
    </message>
    <message>
        <source>Advanced...</source>
        <translation>Avanzado...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Your choices could not be saved on this computer. This game still uses them, but Setup will not remember them next time.</source>
        <translation>No se pudo guardar su selección en este ordenador. Esta partida la usa igualmente, pero la configuración no la recordará la próxima vez.</translation>
    </message>
</context>
<context>
    <name>CSummaryView</name>
    <message>
        <source>Save Results...</source>
        <translation>Guardar resultados...</translation>
    </message>
    <message>
        <source>Print Results...</source>
        <translation>Imprimir resultados...</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
</context>
<context>
    <name>CTouchWritingMenu</name>
    <message>
        <source>&amp;Touch As Pen</source>
        <translation>&amp;Dedo como lápiz</translation>
    </message>
    <message>
        <source>&amp;Automatic</source>
        <translation>&amp;Automático</translation>
    </message>
    <message>
        <source>A&amp;lways</source>
        <translation>&amp;Siempre</translation>
    </message>
    <message>
        <source>&amp;Never</source>
        <translation>&amp;Nunca</translation>
    </message>
</context>
<context>
    <name>CWorksheet</name>
    <message>
        <source>Kestavo worksheet, seed %1</source>
        <translation>Ficha de Kestavo, semilla %1</translation>
    </message>
</context>
<context>
    <name>CWorksheetPainter</name>
    <message>
        <source>Name: ______________________________      Date: ________________</source>
        <translation>Nombre: ______________________________      Fecha: ________________</translation>
    </message>
    <message>
        <source>Answer key</source>
        <translation>Soluciones</translation>
    </message>
    <message>
        <source>Worksheet</source>
        <translation>Ficha de ejercicios</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
</context>
<context>
    <name>LicenseText</name>
    <message>
        <source>No licence file was given.</source>
        <translation>No se indicó ningún archivo de licencia.</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2.</source>
        <translation>No se puede abrir %1: %2.</translation>
    </message>
    <message>
        <source>%1 is too large to be a licence text.</source>
        <translation>%1 es demasiado grande para ser un texto de licencia.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2.</source>
        <translation>No se puede leer %1: %2.</translation>
    </message>
</context>
<context>
    <name>PlayedSettings</name>
    <message>
        <source>decimals</source>
        <translation>decimales</translation>
    </message>
    <message>
        <source>algebra style</source>
        <translation>con hueco</translation>
    </message>
    <message>
        <source>remainders</source>
        <translation>con resto</translation>
    </message>
    <message>
        <source>%1, level %2</source>
        <translation>%1, nivel %2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Registry files (*.reg);;All files (*)</source>
        <translation>Archivos de registro (*.reg);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Import Settings</source>
        <translation>Importar ajustes</translation>
    </message>
    <message>
        <source>%1 cannot be imported: %2.
Nothing was changed.</source>
        <translation>No se puede importar %1: %2.
No se ha cambiado nada.</translation>
    </message>
    <message>
        <source>The settings could not be saved. Nothing was changed.</source>
        <translation>No se pudieron guardar los ajustes. No se ha cambiado nada.</translation>
    </message>
    <message>
        <source>The settings were imported. They apply from the next game you set up.</source>
        <translation>Los ajustes se han importado. Se aplican a partir de la próxima partida que configure.</translation>
    </message>
    <message>
        <source>Import these settings from %1?</source>
        <translation>¿Importar estos ajustes de %1?</translation>
    </message>
    <message>
        <source>Keys of other software are left out:
</source>
        <translation>Se omiten las claves de otros programas:
</translation>
    </message>
    <message>
        <source>Export Settings</source>
        <translation>Exportar ajustes</translation>
    </message>
    <message>
        <source>There are no settings to export yet: set up a game first.</source>
        <translation>Todavía no hay ajustes que exportar: configure antes una partida.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2.</source>
        <translation>No se puede escribir %1: %2.</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Advanced Options</source>
        <translation>Opciones avanzadas</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Resta</translation>
    </message>
    <message>
        <source>Addition</source>
        <translation>Suma</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplicación</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>División</translation>
    </message>
    <message>
        <source>Tandrel Kestavo is an interactive application that reinforces basic arithmetic skills.</source>
        <translation>Tandrel Kestavo es un programa interactivo para afianzar el cálculo básico.</translation>
    </message>
    <message>
        <source>Tandrel and Kestavo are trademarks of Tandrel Technologies Inc.
Other product names mentioned may be trademarks of their respective owners.</source>
        <translation>Tandrel y Kestavo son marcas de Tandrel Technologies Inc.
Los demás nombres de productos citados pueden ser marcas de sus respectivos propietarios.</translation>
    </message>
    <message>
        <source>Copyright © 2026 Tandrel Technologies Inc. All rights reserved.</source>
        <translation>Copyright © 2026 Tandrel Technologies Inc. Todos los derechos reservados.</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>Hints</source>
        <translation>Pistas</translation>
    </message>
    <message>
        <source>correct out of</source>
        <translation>correctas de</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Operación</translation>
    </message>
    <message>
        <source>of</source>
        <translation>de</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>&amp;Go...</source>
        <translation>&amp;Jugar...</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Parar</translation>
    </message>
    <message>
        <source>(Hint: Drag the apples out of the bowl to help solve the equation.)</source>
        <translation>(Pista: saca las manzanas del cuenco para ayudarte a resolver la operación.)</translation>
    </message>
    <message>
        <source>The number of questions that you’ve specified is too high. Tandrel Kestavo can’t generate that many questions for a game at this level. Either decrease the number of questions or select a more difficult level.</source>
        <translation>Ha elegido demasiadas operaciones. Tandrel Kestavo no puede crear tantas operaciones para una partida de este nivel. Reduzca el número de operaciones o elija un nivel más difícil.</translation>
    </message>
    <message>
        <source>Tandrel Kestavo</source>
        <translation>Tandrel Kestavo</translation>
    </message>
</context>
</TS>
