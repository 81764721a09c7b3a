<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>CAboutDescriptionPage</name>
    <message>
        <source>Description</source>
        <translation>Descrição</translation>
    </message>
</context>
<context>
    <name>CAboutLegalPage</name>
    <message>
        <source>Intellectual Property</source>
        <translation>Propriedade intelectual</translation>
    </message>
</context>
<context>
    <name>CAboutLicensePage</name>
    <message>
        <source>License</source>
        <translation>Licença</translation>
    </message>
</context>
<context>
    <name>CAboutSheet</name>
    <message>
        <source>Warning: this program is protected by copyright law and international treaties. Copying or distributing it, or any part of it, without the written permission of Tandrel Technologies Inc. is not permitted.</source>
        <translation>Aviso: este programa é protegido pela lei de direitos autorais e por tratados internacionais. Não é permitido copiá-lo ou distribuí-lo, no todo ou em parte, sem a autorização por escrito da Tandrel Technologies Inc.</translation>
    </message>
    <message>
        <source>Use of this program is subject to the terms of its licence agreement.</source>
        <translation>O uso deste programa está sujeito aos termos do seu contrato de licença.</translation>
    </message>
    <message>
        <source>Telephone: 555-0142</source>
        <translation>Telefone: 555-0142</translation>
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
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>CAboutTechSupportPage</name>
    <message>
        <source>Technical Support</source>
        <translation>Suporte técnico</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>Web:</source>
        <translation>Site:</translation>
    </message>
</context>
<context>
    <name>CDValtrix</name>
    <message>
        <source>the pen input control Valtrix (libvaltrix.so, class %1)</source>
        <translation>o controle de escrita com caneta Valtrix (libvaltrix.so, classe %1)</translation>
    </message>
    <message>
        <source>The answer field has not been created.</source>
        <translation>O campo de resposta não foi criado.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 is not registered. Run kestavo-register on libvaltrix.so to register it.</source>
        <translation>Não é possível digitar respostas: %1 não está registrado. Execute kestavo-register com libvaltrix.so para registrá-lo.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 could not be loaded (error 0x%2).</source>
        <translation>Não é possível digitar respostas: não foi possível carregar %1 (erro 0x%2).</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 does not offer its dispatch interface.</source>
        <translation>Não é possível digitar respostas: %1 não oferece sua interface de despacho.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 could not create its window.</source>
        <translation>Não é possível digitar respostas: %1 não conseguiu criar sua janela.</translation>
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
        <translation>Não foi possível salvar o separador decimal neste computador.</translation>
    </message>
    <message>
        <source>From the &amp;Language</source>
        <translation>Conforme o &amp;idioma</translation>
    </message>
    <message>
        <source>&amp;Point (3.5)</source>
        <translation>&amp;Ponto (3.5)</translation>
    </message>
    <message>
        <source>&amp;Comma (3,5)</source>
        <translation>&amp;Vírgula (3,5)</translation>
    </message>
</context>
<context>
    <name>CGoDialog</name>
    <message>
        <source>New Game</source>
        <translation>Novo jogo</translation>
    </message>
    <message>
        <source>Keep learning level</source>
        <translation>Manter o nível</translation>
    </message>
    <message>
        <source>Change learning level</source>
        <translation>Mudar o nível</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
        <translation>a pasta de ajuda</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help is not available&lt;/h2&gt;&lt;p&gt;Kestavo could not find %1 in &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;&lt;p&gt;The help pages are installed with the program; reinstalling Kestavo restores them.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;A ajuda não está disponível&lt;/h2&gt;&lt;p&gt;O Kestavo não encontrou %1 em &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;&lt;p&gt;As páginas de ajuda são instaladas com o programa; reinstalar o Kestavo as restaura.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Back</source>
        <translation>Voltar</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Avançar</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Início</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Kestavo Help</source>
        <translation>Ajuda do Kestavo</translation>
    </message>
</context>
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Idioma</translation>
    </message>
    <message>
        <source>&amp;Desktop Language</source>
        <translation>Idioma da á&amp;rea de trabalho</translation>
    </message>
    <message>
        <source>Kestavo will show its texts in %1 from the next start.</source>
        <translation>O Kestavo vai mostrar seus textos em %1 a partir da próxima vez que for aberto.</translation>
    </message>
    <message>
        <source>The language could not be saved on this computer.</source>
        <translation>Não foi possível salvar o idioma neste computador.</translation>
    </message>
</context>
<context>
    <name>CLevelGuide</name>
    <message>
        <source>up to 1 place</source>
        <translation>até 1 casa decimal</translation>
    </message>
    <message>
        <source>up to %1 places</source>
        <translation>até %1 casas decimais</translation>
    </message>
    <message>
        <source>on, </source>
        <translation>sim, </translation>
    </message>
    <message>
        <source>never</source>
        <translation>nunca</translation>
    </message>
    <message>
        <source>can be turned on (%1)</source>
        <translation>podem ser ativados (%1)</translation>
    </message>
    <message>
        <source>on</source>
        <translation>sim</translation>
    </message>
    <message>
        <source>can be turned on</source>
        <translation>podem ser ativadas</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nível</translation>
    </message>
    <message>
        <source>Addition and subtraction</source>
        <translation>Adição e subtração</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplicação</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Divisão</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Números decimais</translation>
    </message>
    <message>
        <source>Question style</source>
        <translation>Forma da conta</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Outros</translation>
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
        <translation>números de %1 a %2</translation>
    </message>
    <message>
        <source>factors up to %1, products up to %2</source>
        <translation>fatores até %1, produtos até %2</translation>
    </message>
    <message>
        <source>divisor and answer up to %1, numbers divided up to %2</source>
        <translation>divisor e resultado até %1, números divididos até %2</translation>
    </message>
    <message>
        <source>%1; division: %2</source>
        <translation>%1; divisão: %2</translation>
    </message>
    <message>
        <source>3+?=7 (any number may be missing)</source>
        <translation>3+?=7 (qualquer número pode faltar)</translation>
    </message>
    <message>
        <source>carrying and borrowing</source>
        <translation>com reserva (vai um)</translation>
    </message>
    <message>
        <source>no carrying or borrowing</source>
        <translation>sem reserva</translation>
    </message>
    <message>
        <source>no apples</source>
        <translation>sem maçãs</translation>
    </message>
    <message>
        <source>apples %1</source>
        <translation>maçãs: %1</translation>
    </message>
    <message>
        <source>division with remainders</source>
        <translation>divisão com resto</translation>
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
        <translation>&amp;Jogo</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>Pró&amp;xima</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Anterior</translation>
    </message>
    <message>
        <source>&amp;Import Settings...</source>
        <translation>&amp;Importar configurações...</translation>
    </message>
    <message>
        <source>E&amp;xport Settings...</source>
        <translation>&amp;Exportar configurações...</translation>
    </message>
    <message>
        <source>Ask before ending a game</source>
        <translation>Perguntar antes de encerrar um jogo</translation>
    </message>
    <message>
        <source>Question &amp;Size</source>
        <translation>&amp;Tamanho das contas</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Sair</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aj&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Conteúdo...</translation>
    </message>
    <message>
        <source>&amp;About Kestavo...</source>
        <translation>&amp;Sobre o Kestavo...</translation>
    </message>
    <message>
        <source>Save Results...</source>
        <translation>Salvar resultados...</translation>
    </message>
    <message>
        <source>Print Results...</source>
        <translation>Imprimir resultados...</translation>
    </message>
    <message>
        <source>Print Worksheet...</source>
        <translation>Imprimir folha de exercícios...</translation>
    </message>
    <message>
        <source>The question size could not be saved on this computer. It stays in use now, but the next start will not remember it.</source>
        <translation>Não foi possível salvar o tamanho das contas neste computador. Ele vale agora, mas não será lembrado na próxima vez.</translation>
    </message>
    <message>
        <source>The choice &quot;Ask before ending a game&quot; could not be saved; it holds until Kestavo is closed.</source>
        <translation>Não foi possível salvar a opção “Perguntar antes de encerrar um jogo”; ela vale até o Kestavo ser fechado.</translation>
    </message>
    <message>
        <source>End the game now?</source>
        <translation>Encerrar o jogo agora?</translation>
    </message>
    <message>
        <source>Every question has an answer.</source>
        <translation>Todas as contas têm resposta.</translation>
    </message>
    <message>
        <source>1 question is not answered yet.</source>
        <translation>1 conta ainda não tem resposta.</translation>
    </message>
    <message>
        <source>%1 questions are not answered yet.</source>
        <translation>%1 contas ainda não têm resposta.</translation>
    </message>
    <message>
        <source>End the game</source>
        <translation>Encerrar o jogo</translation>
    </message>
    <message>
        <source>Keep playing</source>
        <translation>Continuar jogando</translation>
    </message>
</context>
<context>
    <name>COptionsPage</name>
    <message>
        <source>Include addition to game</source>
        <translation>Incluir adição no jogo</translation>
    </message>
    <message>
        <source>Include subtraction to game</source>
        <translation>Incluir subtração no jogo</translation>
    </message>
    <message>
        <source>Include multiplication to game</source>
        <translation>Incluir multiplicação no jogo</translation>
    </message>
    <message>
        <source>Include division to game</source>
        <translation>Incluir divisão no jogo</translation>
    </message>
    <message>
        <source>Allow Carrying</source>
        <translation>Com reserva (vai um)</translation>
    </message>
    <message>
        <source>Show Manipulatives</source>
        <translation>Mostrar maçãs para contar</translation>
    </message>
    <message>
        <source>Allow Borrowing</source>
        <translation>Com empréstimo</translation>
    </message>
    <message>
        <source>Allow Remainder</source>
        <translation>Com resto</translation>
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
        <translation>Disposição</translation>
    </message>
    <message>
        <source>Learning Level:</source>
        <translation>Nível:</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Tipo:</translation>
    </message>
    <message>
        <source>Allow Decimals</source>
        <translation>Com decimais</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Armada</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Em linha</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Padrão</translation>
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
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&amp;Question size:</source>
        <translation>&amp;Tamanho das contas:</translation>
    </message>
</context>
<context>
    <name>CPagedOutput</name>
    <message>
        <source>The file &quot;%1&quot; could not be written: %2.</source>
        <translation>Não foi possível gravar o arquivo “%1”: %2.</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
    <message>
        <source>the pages could not be drawn</source>
        <translation>não foi possível desenhar as páginas</translation>
    </message>
</context>
<context>
    <name>CPartsCheck</name>
    <message>
        <source>Kestavo cannot find its answer boxes, so answers cannot be entered; please ask whoever looks after this computer to install Kestavo again.</source>
        <translation>O Kestavo não encontra seus campos de resposta, então não é possível digitar respostas. Peça à pessoa responsável por este computador que instale o Kestavo de novo.</translation>
    </message>
    <message>
        <source>Kestavo cannot find the whiteboard software, so pupils cannot write with the pen; they can still type their answers with the keyboard.</source>
        <translation>O Kestavo não encontra o programa da lousa digital, então os alunos não podem escrever com a caneta; eles ainda podem digitar as respostas no teclado.</translation>
    </message>
    <message>
        <source>Kestavo cannot show pen writing in the answer boxes; pupils can still type their answers with the keyboard.</source>
        <translation>O Kestavo não consegue mostrar a escrita da caneta nos campos de resposta; os alunos ainda podem digitar as respostas no teclado.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its handwriting reader. Pupils can still type their answers with the keyboard.</source>
        <translation>O Kestavo não encontra seu reconhecimento de escrita. Os alunos ainda podem digitar as respostas no teclado.</translation>
    </message>
    <message>
        <source>Kestavo&apos;s handwriting reader cannot read its word list, so it may not read handwritten answers; pupils can still type them with the keyboard.</source>
        <translation>O reconhecimento de escrita do Kestavo não consegue ler sua lista de palavras e pode não ler respostas escritas à mão; os alunos ainda podem digitá-las no teclado.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its help pages; the game itself works as usual.</source>
        <translation>O Kestavo não encontra suas páginas de ajuda; o jogo funciona normalmente.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its licence text, so the About box cannot show it; the game itself works as usual.</source>
        <translation>O Kestavo não encontra o texto da licença, então a janela Sobre não pode mostrá-lo; o jogo funciona normalmente.</translation>
    </message>
    <message>
        <source>Kestavo cannot save settings on this computer, so choices made in Setup are used now but forgotten when Kestavo closes.</source>
        <translation>O Kestavo não consegue salvar configurações neste computador: o que for escolhido na configuração vale agora, mas é esquecido quando o Kestavo for fechado.</translation>
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
        <translation>Muito grande</translation>
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
        <translation>Relatório em PDF (*.pdf)</translation>
    </message>
    <message>
        <source>CSV file for spreadsheets (*.csv)</source>
        <translation>Arquivo CSV para planilhas (*.csv)</translation>
    </message>
    <message>
        <source>PDF report and CSV file (*.pdf *.csv)</source>
        <translation>Relatório em PDF e arquivo CSV (*.pdf *.csv)</translation>
    </message>
    <message>
        <source>PDF worksheet (*.pdf)</source>
        <translation>Folha de exercícios em PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Kestavo results</source>
        <translation>Resultados do Kestavo</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Resultados</translation>
    </message>
    <message>
        <source>Name of the pupil or group (optional):</source>
        <translation>Nome do aluno ou do grupo (opcional):</translation>
    </message>
    <message>
        <source>Save Worksheet</source>
        <translation>Salvar folha de exercícios</translation>
    </message>
    <message>
        <source>Save Results</source>
        <translation>Salvar resultados</translation>
    </message>
    <message>
        <source>No printer is installed. Use &quot;Save Results...&quot; to keep the results as a PDF file and print it later.</source>
        <translation>Nenhuma impressora instalada. Use “Salvar resultados...” para guardar os resultados em um arquivo PDF e imprimi-lo depois.</translation>
    </message>
    <message>
        <source>The results could not be printed. Check the printer and try again, or use &quot;Save Results...&quot;.</source>
        <translation>Não foi possível imprimir os resultados. Verifique a impressora e tente de novo, ou use “Salvar resultados...”.</translation>
    </message>
    <message>
        <source>No worksheet could be made: choose the operations in the Setup dialog first.</source>
        <translation>Não foi possível criar a folha de exercícios: escolha primeiro as operações na configuração.</translation>
    </message>
    <message>
        <source>Kestavo worksheet</source>
        <translation>Folha de exercícios do Kestavo</translation>
    </message>
    <message>
        <source>The worksheet could not be printed. Check the printer and try again.</source>
        <translation>Não foi possível imprimir a folha de exercícios. Verifique a impressora e tente de novo.</translation>
    </message>
    <message>
        <source>No printer is installed. Choose a PDF file for the worksheet instead; it can be printed from any computer.</source>
        <translation>Nenhuma impressora instalada. Escolha um arquivo PDF para a folha de exercícios; ele pode ser impresso em qualquer computador.</translation>
    </message>
    <message>
        <source>Kestavo worksheet - seed %1.pdf</source>
        <translation>Folha de exercícios do Kestavo - semente %1.pdf</translation>
    </message>
</context>
<context>
    <name>CResultsReport</name>
    <message>
        <source>✔ Right</source>
        <translation>✔ Certo</translation>
    </message>
    <message>
        <source>✘ Wrong</source>
        <translation>✘ Errado</translation>
    </message>
    <message>
        <source>Kestavo results</source>
        <translation>Resultados do Kestavo</translation>
    </message>
    <message>
        <source>Pupil or group:</source>
        <translation>Aluno ou grupo:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Data:</translation>
    </message>
    <message>
        <source>Played:</source>
        <translation>Jogado:</translation>
    </message>
    <message>
        <source>Questions:</source>
        <translation>Contas:</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nº</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Conta</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Resposta</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>Esperado</translation>
    </message>
    <message>
        <source>Hints</source>
        <translation>Dicas</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(nenhuma)</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Número</translation>
    </message>
    <message>
        <source>Expected answer</source>
        <translation>Resposta esperada</translation>
    </message>
    <message>
        <source>Pupil&apos;s answer</source>
        <translation>Resposta do aluno</translation>
    </message>
    <message>
        <source>Pupil or group</source>
        <translation>Aluno ou grupo</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>right</source>
        <translation>certo</translation>
    </message>
    <message>
        <source>wrong</source>
        <translation>errado</translation>
    </message>
</context>
<context>
    <name>CSettingsImport</name>
    <message>
        <source>Addition</source>
        <translation>Adição</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Subtração</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplicação</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Divisão</translation>
    </message>
    <message>
        <source>Board settings</source>
        <translation>Configurações da lousa</translation>
    </message>
    <message>
        <source>%1: removed</source>
        <translation>%1: removido</translation>
    </message>
    <message>
        <source>%1: level %2</source>
        <translation>%1: nível %2</translation>
    </message>
    <message>
        <source>Number of questions: %1</source>
        <translation>Número de contas: %1</translation>
    </message>
</context>
<context>
    <name>CSetup</name>
    <message>
        <source>Setup</source>
        <translation>Configuração</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Operação:</translation>
    </message>
    <message>
        <source>Learning Level:</source>
        <translation>Nível:</translation>
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
        <translation>Número de contas:</translation>
    </message>
    <message>
        <source>Advanced...</source>
        <translation>Avançado...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <source>Your choices could not be saved on this computer. This game still uses them, but Setup will not remember them next time.</source>
        <translation>Não foi possível salvar suas escolhas neste computador. Este jogo as usa mesmo assim, mas a configuração não vai lembrá-las na próxima vez.</translation>
    </message>
</context>
<context>
    <name>CSummaryView</name>
    <message>
        <source>Save Results...</source>
        <translation>Salvar resultados...</translation>
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
        <translation>&amp;Dedo como caneta</translation>
    </message>
    <message>
        <source>&amp;Automatic</source>
        <translation>&amp;Automático</translation>
    </message>
    <message>
        <source>A&amp;lways</source>
        <translation>&amp;Sempre</translation>
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
        <translation>Folha de exercícios do Kestavo, semente %1</translation>
    </message>
</context>
<context>
    <name>CWorksheetPainter</name>
    <message>
        <source>Name: ______________________________      Date: ________________</source>
        <translation>Nome: ______________________________      Data: ________________</translation>
    </message>
    <message>
        <source>Answer key</source>
        <translation>Gabarito</translation>
    </message>
    <message>
        <source>Worksheet</source>
        <translation>Folha de exercícios</translation>
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
        <translation>Nenhum arquivo de licença foi indicado.</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2.</source>
        <translation>Não é possível abrir %1: %2.</translation>
    </message>
    <message>
        <source>%1 is too large to be a licence text.</source>
        <translation>%1 é grande demais para ser um texto de licença.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2.</source>
        <translation>Não é possível ler %1: %2.</translation>
    </message>
</context>
<context>
    <name>PlayedSettings</name>
    <message>
        <source>decimals</source>
        <translation>decimais</translation>
    </message>
    <message>
        <source>algebra style</source>
        <translation>com lacuna</translation>
    </message>
    <message>
        <source>remainders</source>
        <translation>com resto</translation>
    </message>
    <message>
        <source>%1, level %2</source>
        <translation>%1, nível %2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Registry files (*.reg);;All files (*)</source>
        <translation>Arquivos de registro (*.reg);;Todos os arquivos (*)</translation>
    </message>
    <message>
        <source>Import Settings</source>
        <translation>Importar configurações</translation>
    </message>
    <message>
        <source>%1 cannot be imported: %2.
Nothing was changed.</source>
        <translation>Não é possível importar %1: %2.
Nada foi alterado.</translation>
    </message>
    <message>
        <source>The settings could not be saved. Nothing was changed.</source>
        <translation>Não foi possível salvar as configurações. Nada foi alterado.</translation>
    </message>
    <message>
        <source>The settings were imported. They apply from the next game you set up.</source>
        <translation>As configurações foram importadas. Elas valem a partir do próximo jogo que você configurar.</translation>
    </message>
    <message>
        <source>Import these settings from %1?</source>
        <translation>Importar estas configurações de %1?</translation>
    </message>
    <message>
        <source>Keys of other software are left out:
</source>
        <translation>Chaves de outros programas ficam de fora:
</translation>
    </message>
    <message>
        <source>Export Settings</source>
        <translation>Exportar configurações</translation>
    </message>
    <message>
        <source>There are no settings to export yet: set up a game first.</source>
        <translation>Ainda não há configurações para exportar: configure um jogo primeiro.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2.</source>
        <translation>Não é possível gravar %1: %2.</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Advanced Options</source>
        <translation>Opções avançadas</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Subtração</translation>
    </message>
    <message>
        <source>Addition</source>
        <translation>Adição</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplicação</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Divisão</translation>
    </message>
    <message>
        <source>Tandrel Kestavo is an interactive application that reinforces basic arithmetic skills.</source>
        <translation>O Tandrel Kestavo é um programa interativo que reforça as operações básicas de matemática.</translation>
    </message>
    <message>
        <source>Tandrel and Kestavo are trademarks of Tandrel Technologies Inc.
Other product names mentioned may be trademarks of their respective owners.</source>
        <translation>Tandrel e Kestavo são marcas da Tandrel Technologies Inc.
Outros nomes de produtos citados podem ser marcas de seus respectivos donos.</translation>
    </message>
    <message>
        <source>Copyright © 2026 Tandrel Technologies Inc. All rights reserved.</source>
        <translation>Copyright © 2026 Tandrel Technologies Inc. Todos os direitos reservados.</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Pontos</translation>
    </message>
    <message>
        <source>Hints</source>
        <translation>Dicas</translation>
    </message>
    <message>
        <source>correct out of</source>
        <translation>certas de</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Conta</translation>
    </message>
    <message>
        <source>of</source>
        <translation>de</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Próxima</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>&amp;Go...</source>
        <translation>&amp;Jogar...</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Parar</translation>
    </message>
    <message>
        <source>(Hint: Drag the apples out of the bowl to help solve the equation.)</source>
        <translation>(Dica: tire as maçãs da tigela para ajudar a resolver a conta.)</translation>
    </message>
    <message>
        <source>The number of questions that you’ve specified is too high. Tandrel Kestavo can’t generate that many questions for a game at this level. Either decrease the number of questions or select a more difficult level.</source>
        <translation>O número de contas escolhido é alto demais. O Tandrel Kestavo não consegue criar tantas contas para um jogo neste nível. Diminua o número de contas ou escolha um nível mais difícil.</translation>
    </message>
    <message>
        <source>Tandrel Kestavo</source>
        <translation>Tandrel Kestavo</translation>
    </message>
</context>
</TS>
